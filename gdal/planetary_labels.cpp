#include "gdal/planetary_labels.h"

#include <cctype>
#include <map>

#include <cpl_json.h>

#include "gdal/pds4_template.h"
#include "gdal/xml_text.h"

namespace orbalux::gdal {
namespace {

// The facts under the names of the driver's metadata items, which the PDS4
// template's fields also use, plus the label's own few.
std::map<std::string, std::string> FieldsOf(const DatasetFacts& facts) {
    std::map<std::string, std::string> fields;
    for (const auto& [name, value] : MetadataItems(facts)) fields[name] = value;
    fields["SOURCE_FILE"] = facts.sourceFile;
    fields["CATALOGUE_NAME"] = facts.catalogueName;
    fields["OPEN_OPTIONS"] = facts.optionSet.empty() ? "none" : facts.optionSet;
    // A logical identifier takes lower-case letters, digits and . - _ only.
    std::string id;
    for (char c : facts.sourceFile) {
        const auto u = static_cast<unsigned char>(c);
        id += std::isalnum(u) ? static_cast<char>(std::tolower(u)) : (c == '.' || c == '-' ? c : '_');
    }
    fields["PICTURE_ID"] = id;
    // One product per option set: its pixels (and in the frame layout its
    // rows) are not the plain picture's, so its identifier is not either.
    std::string product = id;
    if (!facts.optionSet.empty()) product += ".";
    for (char c : facts.optionSet) {
        const auto u = static_cast<unsigned char>(c);
        product += std::isalnum(u) ? static_cast<char>(std::tolower(u)) : (c == '+' ? '_' : c);
    }
    fields["PRODUCT_ID"] = product;
    // The display layout's top row is shown at the top; the frame's row 0 is
    // the first line record, which the picture shows at the bottom.
    fields["VERTICAL_DISPLAY_DIRECTION"] = facts.layout == "FRAME" ? "Bottom to Top" : "Top to Bottom";
    std::string header;
    for (const auto& [number, text] : NumberedHeaderLines(facts))
        header += (header.empty() ? "" : " | ") + std::to_string(number) + ": " + text;
    fields["HEADER_LINES"] = header.empty() ? "none" : header;
    return fields;
}

CPLJSONObject Section(const char* type) {
    CPLJSONObject section;
    section.Add("_type", type);
    return section;
}

}  // namespace

std::string IsisLabelJson(const DatasetFacts& facts) {
    CPLJSONObject source = Section("group");
    source.Add("SourceFile", facts.sourceFile);
    source.Add("CatalogueName", facts.catalogueName);
    source.Add("InCatalogue", facts.inCatalogue ? "YES" : "NO");
    source.Add("LineFormat", facts.lineFormat);
    source.Add("DataOffset", facts.dataOffset);
    source.Add("StretchGain", facts.stretchGain);
    source.Add("StretchBlack", facts.stretchBlack);
    source.Add("FrameLineCount", facts.frameLineCount);
    source.Add("LinesInFile", facts.linesInFile);
    source.Add("LostLines", facts.lostLines);
    source.Add("CutShort", facts.linesShort > 0 ? "YES" : "NO");
    source.Add("LinesMissingAtEnd", facts.linesShort);
    source.Add("Layout", facts.layout);
    source.Add("OpenOptions", facts.optionSet.empty() ? "none" : facts.optionSet);
    CPLJSONObject header = Section("group");
    for (const auto& [number, text] : NumberedHeaderLines(facts)) header.Add("Line" + std::to_string(number), text);

    CPLJSONObject cube = Section("object");
    cube.Add("Mariner67", source);
    cube.Add("Mariner67Header", header);
    CPLJSONObject root;
    root.Add("IsisCube", cube);
    return root.Format(CPLJSONObject::PrettyFormat::Plain);
}

std::string VicarLabelJson(const DatasetFacts& facts) {
    CPLJSONObject property;
    for (const auto& [name, value] : MetadataItems(facts)) {
        // Counts and offsets as VICAR integers, the rest as strings.
        const bool whole = !value.empty() && value.size() < 10 &&
                           value.find_first_not_of("0123456789") == std::string::npos;
        if (whole) property.Add(name, std::stoi(value));
        else property.Add(name, value);
    }
    property.Add("SOURCE_FILE", facts.sourceFile);
    property.Add("CATALOGUE_NAME", facts.catalogueName);
    property.Add("OPEN_OPTIONS", facts.optionSet.empty() ? "none" : facts.optionSet);
    // GDAL's VICAR writer keeps no nodata: the label says which value it is.
    if (facts.nodata) property.Add("MISSING_CONSTANT", *facts.nodata);
    CPLJSONObject properties;
    properties.Add("MARINER67", property);
    CPLJSONObject root;
    root.Add("PROPERTY", properties);
    return root.Format(CPLJSONObject::PrettyFormat::Plain);
}

std::string Pds4Label(const DatasetFacts& facts) {
    const std::map<std::string, std::string> fields = FieldsOf(facts);
    const std::string_view text = Pds4Template();
    std::string label;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find("${", at);
        const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
        if (close == std::string_view::npos) {
            label += text.substr(at);
            break;
        }
        label += text.substr(at, open - at);
        const auto field = fields.find(std::string(text.substr(open + 2, close - open - 2)));
        // A field the driver does not know stays for GDAL's own -co VAR_.
        label += field != fields.end() ? XmlEscaped(field->second) : std::string(text.substr(open, close + 1 - open));
        at = close + 1;
    }
    return label;
}

}  // namespace orbalux::gdal
