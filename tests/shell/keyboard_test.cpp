// The keyboard reaches everything: Tab and Shift+Tab go round the tool bar,
// the counter, the picture and the strip; Space and Enter press the focused
// tool button; inside the strip the arrow keys, Home, End and Enter choose an
// entry.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include "shell/MDIChild.h"
#include "shell/thumbnail_strip.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::Volume;

QWidget* Focus() { return QApplication::focusWidget(); }

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Focus(), key, modifiers);
    QCoreApplication::processEvents();
}

TEST(Keyboard, TabGoesRoundEveryPartAndTheKeysWorkWhereTheFocusIs) {
    Volume v;
    for (int i = 1; i <= 5; ++i) v.Write945("RBL_000" + std::to_string(i) + ".001", i);
    Browser b;
    ASSERT_TRUE(b.open(v.Path("RBL_0002.001")));
    QApplication::setActiveWindow(b.form.get());
    QCoreApplication::processEvents();
    QWidget* counter = b.form->findChild<QLineEdit*>("Memo1");
    QWidget* picture = b.probe().CurrentChild()->ScrollArea();
    QWidget* strip = b.form->ThumbnailStrip()->View();

    // Round and back: counter, picture, strip, the first tool button usable
    // with a picture shown (Open is not), and from the counter backward to
    // the last one.
    counter->setFocus(Qt::TabFocusReason);
    const QList<QWidget*> forward = {picture, strip, b.button("FileSaveBtn")};
    for (QWidget* next : forward) {
        Press(Qt::Key_Tab);
        ASSERT_EQ(Focus(), next) << (Focus() ? Focus()->objectName().toStdString() : "none");
    }
    for (QWidget* back : {strip, picture, counter, static_cast<QWidget*>(b.button("HelpAboutBtn"))}) {
        Press(Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_EQ(Focus(), back) << (Focus() ? Focus()->objectName().toStdString() : "none");
    }

    // Space and Enter press the focused button: Next, twice.
    b.button("FileTylBtn")->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    ASSERT_EQ(Focus(), b.button("FileForBtn"));
    Press(Qt::Key_Space);
    EXPECT_EQ(b.counter(), "3/5");
    Press(Qt::Key_Return);
    EXPECT_EQ(b.counter(), "4/5");

    // In the strip the keys choose among its entries, ahead of the window's
    // own Left, Right, Home and End, and the focus stays there.
    strip->setFocus(Qt::TabFocusReason);
    const std::vector<std::pair<Qt::Key, QString>> moves = {
        {Qt::Key_Left, "3/5"}, {Qt::Key_Home, "1/5"}, {Qt::Key_Down, "2/5"}, {Qt::Key_End, "5/5"}, {Qt::Key_Up, "4/5"}};
    for (const auto& [key, counted] : moves) {
        Press(key);
        EXPECT_EQ(b.counter(), counted) << key;
        EXPECT_EQ(b.caption(), "RBL_000" + counted.left(1) + ".001");
    }
    EXPECT_EQ(Focus(), strip);
    // Enter shows the framed entry.
    static_cast<QListView*>(strip)->setCurrentIndex(static_cast<QListView*>(strip)->model()->index(1, 0));
    Press(Qt::Key_Enter);
    EXPECT_EQ(b.counter(), "2/5");
}

}  // namespace
