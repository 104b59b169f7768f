// File names compared as the volume's names are: by bytes, with only the
// letters a to z folded to upper case (never by the locale, so that a name in
// any encoding compares the same everywhere).
#pragma once

#include <algorithm>
#include <string_view>

namespace orbalux {

constexpr char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

constexpr bool StartsWithIgnoringAsciiCase(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && EqualIgnoringAsciiCase(name.substr(0, prefix.size()), prefix);
}

// True when `name` ends with `suffix`, letters compared in either case.
constexpr bool EndsWithIgnoringAsciiCase(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() && EqualIgnoringAsciiCase(name.substr(name.size() - suffix.size()), suffix);
}

}  // namespace orbalux
