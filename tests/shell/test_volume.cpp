#include "test_volume.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

#include "shell/MDIChild.h"
#include "tools/encoder/picture_encoder.h"

namespace shelltest {

using namespace orbalux::encoder;
using orbalux::GreyImage;

std::uint8_t PatternLevel(int x, int y, int seed) {
    return static_cast<std::uint8_t>(20 + (seed * 37 + x + 2 * y) % 200);
}

namespace {
GreyImage Pattern(int width, int height, int seed) {
    GreyImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.At(x, y) = PatternLevel(x, y, seed);
    return image;
}
}  // namespace

Volume::Volume() : dirPath_(dir_.path()) {}

QString Volume::Path(const std::string& name) const { return dirPath_ + "/" + QString::fromStdString(name); }

QString Volume::Write945(const std::string& name, int seed) {
    HeaderPlan header;
    header.records = 2;
    header.text1 = HeaderLines({"PICTURE " + std::to_string(seed), "MARINER 6"});
    header.text2 = HeaderLines({"SECOND RECORD"});
    const QString path = Path(name);
    WriteFile(path.toStdString(), EncodePicture(945, Pattern(945, 702, seed), header));
    return path;
}

QString Volume::Write136(const std::string& name, int seed, int headerRecords) {
    HeaderPlan header;
    header.records = headerRecords;
    header.text1 = HeaderLines({"PICTURE " + std::to_string(seed)});
    const QString path = Path(name);
    WriteFile(path.toStdString(), EncodePicture(136, Pattern(135, 702, seed), header));
    return path;
}

Browser::Browser() : form(std::make_unique<TMainForm>(seam)) { form->show(); }
Browser::~Browser() = default;

QAction* Browser::action(const char* name) const { return form->findChild<QAction*>(name); }
QToolButton* Browser::button(const char* name) const { return form->findChild<QToolButton*>(name); }
QString Browser::counter() const { return form->findChild<QLineEdit*>("Memo1")->text(); }
QString Browser::caption() const { return probe().CurrentChild() ? probe().CurrentChild()->windowTitle() : QString(); }

bool Browser::open(const QString& path) {
    seam.openAnswers.push_back(path);
    form->Open1Click();
    return probe().CurrentChild() != nullptr;
}

int Browser::shownLevel(int x, int y) const {
    const QImage& image = probe().CurrentChild()->Picture();
    return qGray(image.pixel(x, image.height() - 1 - y));
}

}  // namespace shelltest
