// On a screen of two device pixels per logical pixel (run under
// QT_SCALE_FACTOR=2, as ctest's HiDpi entry does): at 100% one picture pixel
// per device pixel, and the readout names every sample the pointer passes.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>

#include "shell/MDIChild.h"
#include "shell/elided_label.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::Volume;

TEST(HiDpi, AtActualSizeEveryDevicePixelThePointerPassesIsASample) {
    if (qGuiApp->devicePixelRatio() != 2) GTEST_SKIP() << "for a screen at scale 2 (QT_SCALE_FACTOR=2)";
    Volume v;
    v.Write945("RBL_0001.001", 1);
    Browser b;
    b.form->resize(1000, 800);
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    QCoreApplication::processEvents();
    TPictureControl* image = b.probe().CurrentChild()->Image();
    EXPECT_EQ(image->size(), QSize(948 / 2, 704 / 2));  // logical pixels

    // The pointer moved one device pixel at a time, as the platform tells it:
    // half a logical pixel a step.
    const QPointF origin = QPointF(image->mapTo(b.form.get(), QPoint(0, 0)));
    auto* readout = b.form->findChild<TElidedLabel*>("PointerReadout");
    const QRegularExpression sample("sample (\\d+)");
    std::vector<int> samples;

    for (int column = 300; column < 308; ++column) {
        const QPointF local = origin + QPointF(column / 2.0, 100 / 2.0);
        qt_handleMouseEvent(b.form->windowHandle(), local, b.form->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                            QEvent::MouseMove, Qt::NoModifier, column);
        QCoreApplication::processEvents();
        const QRegularExpressionMatch match = sample.match(readout->FullText());
        ASSERT_TRUE(match.hasMatch()) << readout->FullText().toStdString();
        samples.push_back(match.captured(1).toInt());
    }
    // Device column c of the picture at 100% is its column c: sample c + 1.
    for (std::size_t i = 0; i < samples.size(); ++i) EXPECT_EQ(samples[i], 301 + static_cast<int>(i));
}

}  // namespace
