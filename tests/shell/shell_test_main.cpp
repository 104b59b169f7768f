// The browser's tests drive real windows on the offscreen platform, with
// settings of their own process, apart from the user's and from other test
// processes running beside them, empty at the start of each test and removed
// at the end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
// Each test starts from the settings of a first run: what one remembers
// (the zoom, the window, the strip) never shapes the next.
struct FreshSettings : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { QSettings().clear(); }
};
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("OrbaluxTests");
    QApplication::setApplicationName(QString("shell-%1").arg(QCoreApplication::applicationPid()));
    QSettings().clear();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
    const int result = RUN_ALL_TESTS();
    QFile::remove(QSettings().fileName());
    return result;
}
