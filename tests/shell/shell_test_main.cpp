// The browser's tests drive real windows on the offscreen platform, with
// settings of their own process, apart from the user's and from other test
// processes running beside them, empty at start and removed at the end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("OrbaluxTests");
    QApplication::setApplicationName(QString("shell-%1").arg(QCoreApplication::applicationPid()));
    QSettings().clear();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QFile::remove(QSettings().fileName());
    return result;
}
