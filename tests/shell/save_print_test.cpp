// Save As and Print on the picture as shown.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QTransform>

#include "shell/file_filters.h"
#include "session/print_layout.h"
#include "test_volume.h"

namespace {

using orbalux::FitPictureToPage;
using orbalux::PrintExtent;
using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::uint32_t Le32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

// Limits the size of files this process writes, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a write past it fails instead
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

struct ShownPicture : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        v.Write945("RBL_0001.001", 1);
        ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    }
    void saveAs(const QString& name, const QString& filter = kSaveFilterBmp) {
        b.seam.saveAnswers.push_back(SaveChoice{name, filter});
        b.action("SaveAs1")->trigger();
    }
};

TEST_F(ShownPicture, SaveAsWritesTheBmpOfThePictureWithItsOptions) {
    b.button("ToolButton19")->click();  // inverted on screen, so in the file
    saveAs(v.Dir() + "/out");           // no extension: .bmp is added
    const QByteArray bmp = ReadAll(v.Dir() + "/out.bmp");
    ASSERT_EQ(bmp.size(), 54 + 3 * 948 * 704);
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(Le32(bmp, 2), 2'002'230u);
    EXPECT_EQ(Le32(bmp, 10), 54u);
    EXPECT_EQ(Le32(bmp, 18), 948u);
    EXPECT_EQ(Le32(bmp, 22), 704u);
    EXPECT_EQ(std::uint8_t(bmp[28]), 24);
    // Rows bottom-up in the file's row order: working row y starts at 54 + 3*948*y.
    for (auto [x, y] : {std::pair{0, 0}, {944, 0}, {17, 350}, {944, 701}}) {
        const int at = 54 + 3 * (948 * y + x);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(std::uint8_t(bmp[at + c]), 255 - PatternLevel(x, y, 1));
    }
    EXPECT_TRUE(b.seam.overwriteQuestions.isEmpty());
    EXPECT_TRUE(b.seam.errors.isEmpty());
    EXPECT_EQ(b.form->statusBar()->currentMessage(), "Wrote " + v.Dir() + "/out.bmp");

    b.button("ToolButton9")->click();  // Original Image is saved unprocessed
    saveAs(v.Dir() + "/original.BMP");
    const QByteArray original = ReadAll(v.Dir() + "/original.BMP");
    EXPECT_EQ(std::uint8_t(original[54 + 3 * (948 * 2 + 3)]), PatternLevel(3, 2, 1));
}

TEST_F(ShownPicture, SaveAsPngHoldsTheSameGreyLevels) {
    saveAs(v.Dir() + "/grey", kSaveFilterPng);
    QImage png(v.Dir() + "/grey.png");
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(png.size(), QSize(948, 704));
    EXPECT_EQ(qGray(png.pixel(12, 703 - 40)), PatternLevel(12, 40, 1));
    saveAs(v.Dir() + "/typed.png", kSaveFilterBmp);  // the typed extension wins
    EXPECT_EQ(ReadAll(v.Dir() + "/typed.png").mid(1, 3), "PNG");
}

TEST_F(ShownPicture, SaveAsAsksBeforeReplacingAndAFailedWriteKeepsTheOldFile) {
    const QString target = v.Dir() + "/kept.bmp";
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old content");
    }
    b.seam.overwriteAnswer = false;
    saveAs(target);
    EXPECT_EQ(b.seam.overwriteQuestions, QStringList({target}));
    EXPECT_EQ(ReadAll(target), "old content");

    b.seam.overwriteAnswer = true;
    saveAs(target);
    EXPECT_EQ(ReadAll(target).size(), 54 + 3 * 948 * 704);

    // A write that breaks off half way (files limited to 1 MB, as on a full
    // disk) must leave the existing file as it was.
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old content");
    }
    {
        FileSizeLimit limit(1 << 20);
        saveAs(target);
    }
    EXPECT_EQ(ReadAll(target), "old content");
    ASSERT_EQ(b.seam.errors.size(), 1);
    EXPECT_TRUE(b.seam.errors[0].contains(target));

    saveAs(v.Dir() + "/missing/folder/pic.bmp");
    EXPECT_EQ(b.seam.errors.size(), 2);
    EXPECT_FALSE(QFile::exists(v.Dir() + "/missing"));
    // nothing half written is left behind
    EXPECT_EQ(QDir(v.Dir()).entryList(QDir::Files | QDir::Hidden).filter("kept"), QStringList({"kept.bmp"}));
}

TEST_F(ShownPicture, SaveAsProposesTheLastPlaceRefusesAListedPictureAndNoReturnsToTheDialog) {
    const QString listed = v.Path("RBL_0001.001");
    const QByteArray picture = ReadAll(listed);
    const QString link = v.Dir() + "/link.bmp";  // another name of the listed picture
    ASSERT_TRUE(QFile::link(listed, link));
    const QString kept = v.Dir() + "/kept.bmp";
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old content");
    }
    ASSERT_TRUE(QDir(v.Dir()).mkdir("out"));
    b.seam.overwriteAnswer = false;
    b.seam.saveAnswers = {SaveChoice{link, kSaveFilterBmp}, SaveChoice{kept, kSaveFilterBmp},
                          SaveChoice{v.Dir() + "/out/69_011.003", kSaveFilterPng}};
    b.action("SaveAs1")->trigger();

    // The listed picture: refused with a message, back to the dialog.
    ASSERT_EQ(b.seam.errors.size(), 1);
    EXPECT_TRUE(b.seam.errors[0].contains("picture file of the volume"));
    EXPECT_EQ(ReadAll(listed), picture);
    // "No" to replacing kept.bmp: back to the dialog, which proposes it again.
    EXPECT_EQ(b.seam.overwriteQuestions, QStringList({kept}));
    EXPECT_EQ(ReadAll(kept), "old content");
    EXPECT_EQ(b.seam.saveProposals, QStringList({listed + ".bmp", link, kept}));
    // A picture file's name gets the chosen type's extension.
    EXPECT_EQ(ReadAll(v.Dir() + "/out/69_011.003.png").mid(1, 3), "PNG");
    EXPECT_FALSE(QFile::exists(v.Dir() + "/out/69_011.003"));

    // The next Save As proposes the picture's name in that folder, as PNG.
    b.action("SaveAs1")->trigger();
    EXPECT_EQ(b.seam.saveProposals.back(), v.Dir() + "/out/RBL_0001.001.png");
    EXPECT_EQ(b.seam.saveFilters.back(), kSaveFilterPng);
}

TEST_F(ShownPicture, ScanWaitsWhileADialogIsUpAndGoesOnWithTheSamePause) {
    v.Write945("RBL_0002.001", 2);
    b.probe().CurrentChild()->close();
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    b.action("N5seconds1")->trigger();
    b.action("ScanForward1")->trigger();
    QTimer* timer = b.probe().Timer1();
    b.form->Timer1Timer();  // a step back to 1 needs a backward scan; here: 2
    ASSERT_EQ(b.form->FileListPos(), 2);
    b.action("ScanBackward1")->trigger();
    ASSERT_EQ(timer->interval(), 5000);

    int dialogs = 0;
    b.seam.whileUp = [&] {
        ++dialogs;
        EXPECT_FALSE(timer->isActive());
        b.form->Timer1Timer();  // a tick that slipped through changes nothing
        EXPECT_EQ(b.form->FileListPos(), 2);
    };
    b.seam.saveAnswers = {SaveChoice{v.Dir() + "/shown", kSaveFilterBmp}};
    b.action("SaveAs1")->trigger();
    b.action("Print1")->trigger();
    b.action("PrintSetup1")->trigger();
    b.button("ToolButton29")->click();
    b.action("About1")->trigger();
    EXPECT_EQ(dialogs, 5);

    // The saved picture is the one shown when Save As was given.
    const QByteArray bmp = ReadAll(v.Dir() + "/shown.bmp");
    ASSERT_EQ(bmp.size(), 54 + 3 * 948 * 704);
    EXPECT_EQ(std::uint8_t(bmp[54 + 3 * (948 * 5 + 5)]), PatternLevel(5, 5, 2));
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(b.button("FileTylAutBtn")->isChecked());
    b.seam.whileUp = nullptr;
    b.form->Timer1Timer();
    EXPECT_EQ(b.form->FileListPos(), 1);
}

// Where the picture went on the PDF page, in points: the image's unit square
// through every matrix in force when it is drawn; also the printable area's
// origin (the first matrix moves there).
struct Placement {
    QRectF image;
    QPointF origin;
};

Placement PlacedImage(const QByteArray& pdf) {
    static const QRegularExpression streamRe("/Filter /FlateDecode[^>]*>>\\s*stream\\r?\\n");
    static const QRegularExpression cmRe("([-\\d.]+) ([-\\d.]+) ([-\\d.]+) ([-\\d.]+) ([-\\d.]+) ([-\\d.]+) cm");
    const QString text = QString::fromLatin1(pdf);  // one character per byte
    for (auto it = streamRe.globalMatch(text); it.hasNext();) {
        const qsizetype start = it.next().capturedEnd();
        QByteArray sized(4, '\0');
        sized[1] = char(0x10);  // room for a megabyte; qUncompress grows it if need be
        const QString content =
            QString::fromLatin1(qUncompress(sized + pdf.mid(start, pdf.indexOf("endstream", start) - start)));
        const qsizetype draw = content.indexOf(QRegularExpression("/Im\\d+ +Do"));
        if (draw < 0) continue;
        QTransform ctm;
        Placement placement;
        bool first = true;
        for (auto m = cmRe.globalMatch(content.left(draw)); m.hasNext();) {
            const auto c = m.next();
            const QTransform t(c.captured(1).toDouble(), c.captured(2).toDouble(), c.captured(3).toDouble(),
                               c.captured(4).toDouble(), c.captured(5).toDouble(), c.captured(6).toDouble());
            if (first) placement.origin = QPointF(t.dx(), t.dy());
            first = false;
            ctm = t * ctm;
        }
        placement.image = ctm.mapRect(QRectF(0, 0, 1, 1));
        return placement;
    }
    return {};
}

TEST_F(ShownPicture, PrintFillsTheLargestFittingRectangleFromTheTopLeft) {
    b.seam.pdfPath = v.Dir() + "/page.pdf";
    b.action("PrintSetup1")->trigger();
    EXPECT_EQ(b.seam.pageSetups, 1);
    QPrinter& printer = b.probe().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    b.button("ToolButton17")->click();
    const QByteArray pdf = ReadAll(b.seam.pdfPath);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Width 948"));
    EXPECT_TRUE(pdf.contains("/Height 704"));
    EXPECT_FALSE(pdf.contains("/DCTDecode")) << "the picture went into the page as JPEG";

    // Expected extent in printer dots, then in the page's points.
    const PrintExtent dots = FitPictureToPage(948, 704, printer.width(), printer.height());
    const double pointsPerDot = 72.0 / printer.resolution();
    const Placement placed = PlacedImage(pdf);
    ASSERT_FALSE(placed.image.isEmpty());
    EXPECT_NEAR(placed.image.width(), dots.width * pointsPerDot, 0.1);
    EXPECT_NEAR(placed.image.height(), dots.height * pointsPerDot, 0.1);
    // top left of the printable area (PDF pages count y upwards)
    EXPECT_NEAR(placed.image.left(), placed.origin.x(), 0.1);
    EXPECT_NEAR(placed.image.bottom(), placed.origin.y(), 0.1);
    EXPECT_TRUE(b.seam.errors.isEmpty());

    b.seam.pdfPath.clear();  // cancelled: no job
    b.action("Print1")->trigger();
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

}  // namespace
