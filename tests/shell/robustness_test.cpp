// The browser against hostile names, paths, folders and output places: each
// gets its picture or a message naming the file and the reason, never a crash,
// never a blank picture shown as if it had loaded, and never a user's file cut
// short or replaced by a write that failed.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "shell/MDIChild.h"
#include "shell/file_filters.h"
#include "test_volume.h"

namespace {

using shelltest::Browser;
using shelltest::PatternLevel;
using shelltest::Volume;

constexpr unsigned kNobody = 65534;

// While alive, file permissions bind this process: the superuser acts as the
// unprivileged user, anyone else stays as it is.
class PermissionsBind {
public:
    PermissionsBind() {
        if (::geteuid() != 0) {
            binding_ = true;
        } else if (::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0) {
            binding_ = dropped_ = true;
        } else {
            (void)::setegid(0);
        }
    }
    ~PermissionsBind() {
        if (dropped_ && ::seteuid(0) == 0) (void)::setegid(0);
    }
    PermissionsBind(const PermissionsBind&) = delete;
    PermissionsBind& operator=(const PermissionsBind&) = delete;
    bool binding() const { return binding_; }

private:
    bool binding_ = false;
    bool dropped_ = false;
};

bool PermissionsCanBind() { return PermissionsBind().binding(); }

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

// The unprivileged user must reach the files of `dir` by their permissions.
// False where a folder above it is closed to that user (a root made by
// mktemp -d is 0700), so a refusal would not come from the file itself.
bool LetOthersIn(const QString& dir) {
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                   QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    PermissionsBind asUser;
    struct stat st {};
    return ::stat(Native(dir).constData(), &st) == 0;
}

// What Qt hands over for a name on disk: in the open dialog, the argument
// list, a dropped file.
QString AsQt(const QByteArray& nativePath) { return QFile::decodeName(nativePath); }

// 945-sample pictures under names of any bytes, removed again by their
// bytes (Qt's own clean-up passes over names it cannot decode).
class ByteNamedFiles {
public:
    explicit ByteNamedFiles(Volume& v) : v_(v) {}
    ~ByteNamedFiles() {
        for (const QByteArray& path : paths_) ::unlink(path.constData());
    }
    ByteNamedFiles(const ByteNamedFiles&) = delete;
    ByteNamedFiles& operator=(const ByteNamedFiles&) = delete;
    // Returns the path as Qt hands it over.
    QString Write(const QByteArray& name, int seed) {
        const QByteArray path = Native(v_.Dir()) + "/" + name;
        const QString scratch = v_.Write945("scratch.tmp", seed);
        if (std::rename(Native(scratch).constData(), path.constData()) == 0) paths_.push_back(path);
        return AsQt(path);
    }

private:
    Volume& v_;
    std::vector<QByteArray> paths_;
};

// A symbolic link at `at` to `target`, which need not exist.
void Link(const std::string& target, const QString& at) {
    std::filesystem::create_symlink(target, Native(at).toStdString());
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QStringList EntriesOf(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A failed Open leaves the no-picture state: no window, Open still usable.
void ExpectNothingShown(const Browser& b) {
    EXPECT_EQ(b.probe().CurrentChild(), nullptr);
    EXPECT_TRUE(b.action("Open1")->isEnabled());
    EXPECT_FALSE(b.action("Next1")->isEnabled());
    EXPECT_EQ(b.counter(), "0/0");
}

// ---- Names and paths given to Open -------------------------------------

TEST(OpenRobustness, NamesOfAnyBytesOpenTheirOwnPictureAndAreFoundInTheList) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    const std::vector<QByteArray> names = {
        "RBL_0002" + QByteArray(243, 'x') + ".001",  // 255 bytes, the longest a name can be
        "RBL_0003\xff\xfe\x80.001",                  // not UTF-8
        "RBL_0004 $(touch pwned); `touch pwned2` | & > < '\" * ? \\ !.001",
    };
    ByteNamedFiles files(v);
    QStringList paths;
    for (std::size_t i = 0; i < names.size(); ++i) paths << files.Write(names[i], static_cast<int>(i) + 2);

    Browser b;
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        const int seed = static_cast<int>(i) + 2;
        ASSERT_TRUE(b.open(paths[static_cast<qsizetype>(i)])) << b.seam.errors.join("\n").toStdString();
        EXPECT_EQ(b.shownLevel(7, 9), PatternLevel(7, 9, seed));
        EXPECT_EQ(b.caption(), AsQt(names[i]));
        // byte order puts the four names in the order they were made
        EXPECT_EQ(b.counter(), QString("%1/4").arg(seed));
        EXPECT_EQ(b.probe().State().CurrentFileName, names[i].toStdString());
        b.probe().CurrentChild()->close();
    }
    EXPECT_TRUE(b.seam.errors.isEmpty()) << b.seam.errors.join("\n").toStdString();
    EXPECT_FALSE(QFile::exists(v.Path("pwned")));
    EXPECT_FALSE(QFile::exists("pwned"));

    // Stepping reaches each of them by its bytes.
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    for (int seed = 2; seed <= 4; ++seed) {
        b.action("Next1")->trigger();
        EXPECT_EQ(b.counter(), QString("%1/4").arg(seed));
        EXPECT_EQ(b.shownLevel(7, 9), PatternLevel(7, 9, seed));
    }
    EXPECT_TRUE(b.seam.errors.isEmpty());

    // Two names that Qt cannot tell apart: neither picture is taken for the other.
    b.probe().CurrentChild()->close();
    const QString twin = files.Write("RBL_0005.001\xfe", 5);
    ASSERT_EQ(files.Write("RBL_0005.001\xfd", 6), twin);
    EXPECT_FALSE(b.open(twin));
    ASSERT_EQ(b.seam.errors.size(), 1);
    EXPECT_TRUE(b.seam.errors[0].contains(twin));
    ExpectNothingShown(b);
}

TEST(OpenRobustness, PathsThatLeadToNoPictureAreReportedWithTheirReason) {
    Volume v;
    v.Write945("RBL_0001.001", 1);
    QDir(v.Dir()).mkdir("empty");
    Link("RBL_LOOP.002", v.Path("RBL_LOOP.001"));
    Link("RBL_LOOP.001", v.Path("RBL_LOOP.002"));
    const struct {
        QString path;
        const char* reason;
    } cases[] = {
        {v.Dir() + "/empty/", "no picture files in this folder"},                // a folder opens its first picture
        {v.Path("RBL_0001.001" + std::string(244, 'x')), "File name too long"},  // 256 bytes
        {v.Path("RBL_LOOP.001"), "Too many levels of symbolic links"},
        {v.Path("RBL_0001.001/"), "Not a directory"},
    };
    Browser b;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const qsizetype before = b.seam.errors.size();
        EXPECT_FALSE(b.open(c.path));
        ASSERT_EQ(b.seam.errors.size(), before + 1);
        const QString& message = b.seam.errors.back();
        EXPECT_TRUE(message.contains(QDir::cleanPath(c.path))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.reason)) << message.toStdString();
        ExpectNothingShown(b);
    }
    // The good file still opens afterwards.
    ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    EXPECT_EQ(b.counter(), "1/1");
}

TEST(OpenRobustness, FileWithoutReadPermissionIsReported) {
    if (!PermissionsCanBind()) GTEST_SKIP() << "file permissions do not bind here";
    Volume v;
    if (!LetOthersIn(v.Dir())) GTEST_SKIP() << "a folder above the volume is closed to the unprivileged user";
    const QString path = v.Write945("RBL_0001.001", 1);
    ASSERT_TRUE(QFile::setPermissions(path, {}));
    Browser b;
    {
        PermissionsBind asUser;
        EXPECT_FALSE(b.open(path));
    }
    ASSERT_EQ(b.seam.errors.size(), 1);
    EXPECT_TRUE(b.seam.errors[0].contains(path));
    EXPECT_TRUE(b.seam.errors[0].contains("Permission denied"));
    ExpectNothingShown(b);
}

// ---- The directory list -------------------------------------------------

TEST(ListRobustness, FolderWithoutPictureNamesGivesAnEmptyListAndNoSteps) {
    Volume v;
    v.Write945("OTHER.001", 1);
    for (const char* name : {"notes.txt", "69-011.001", "x69_011.001", "RB_0001.001", "JA_224.001"})
        WriteText(v.Path(name), "");
    // Names of the picture families that are no files to load.
    QDir(v.Dir()).mkdir("RBL_FOLDER");
    Link("RBL_LOOP.002", v.Path("RBL_LOOP.001"));
    Link("RBL_LOOP.001", v.Path("RBL_LOOP.002"));
    Link("nowhere", v.Path("RBL_DANGLING.001"));

    Browser b;
    ASSERT_TRUE(b.open(v.Path("OTHER.001")));
    EXPECT_EQ(b.counter(), "0/0");
    EXPECT_TRUE(b.probe().FileList().empty());
    b.action("Next1")->trigger();
    b.action("Previous1")->trigger();
    b.action("ScanForward1")->trigger();
    b.form->Timer1Timer();
    EXPECT_FALSE(b.probe().Timer1()->isActive());
    EXPECT_EQ(b.counter(), "0/0");
    EXPECT_EQ(b.form->FileListPos(), 0);
    EXPECT_EQ(b.caption(), "OTHER.001");
    EXPECT_EQ(b.shownLevel(3, 4), PatternLevel(3, 4, 1));
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

TEST(ListRobustness, FiveThousandFilesKeepTheCounterAndTheStepsRight) {
    constexpr int kFiles = 5000;
    Volume v;
    auto name = [](int i) { return QString("RBL_%1.001").arg(i, 4, 10, QChar('0')).toStdString(); };
    // Pictures where the steps land; the others are empty files, which load
    // as a black frame.
    const std::vector<int> pictures = {1, 2, 2499, 2500, 2501, 4999, 5000};
    for (int i = kFiles; i >= 1; --i) {
        if (std::find(pictures.begin(), pictures.end(), i) != pictures.end())
            v.Write945(name(i), i);
        else
            WriteText(v.Path(name(i)), "");
    }

    Browser b;
    ASSERT_TRUE(b.open(v.Path(name(2500))));
    ASSERT_EQ(b.form->FileListCount(), kFiles);
    for (int i = 1; i <= kFiles; i += 333) EXPECT_EQ(b.probe().FileList()[static_cast<std::size_t>(i - 1)], name(i));
    EXPECT_EQ(b.counter(), "2500/5000");
    // The counter's text fits inside its frame, with the margins a line edit keeps.
    auto* box = b.form->findChild<QLineEdit*>("Memo1");
    const int inside = box->width() - 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
    EXPECT_GE(inside, box->fontMetrics().horizontalAdvance(box->text()));
    b.action("Next1")->trigger();
    EXPECT_EQ(b.counter(), "2501/5000");
    EXPECT_EQ(b.caption(), QString::fromStdString(name(2501)));
    EXPECT_EQ(b.shownLevel(6, 6), PatternLevel(6, 6, 2501));
    b.action("Previous1")->trigger();
    b.action("Previous1")->trigger();
    EXPECT_EQ(b.counter(), "2499/5000");
    EXPECT_EQ(b.shownLevel(6, 6), PatternLevel(6, 6, 2499));

    b.probe().CurrentChild()->close();
    ASSERT_TRUE(b.open(v.Path(name(4999))));
    b.action("ScanForward1")->trigger();
    b.form->Timer1Timer();
    EXPECT_EQ(b.counter(), "5000/5000");
    EXPECT_EQ(b.shownLevel(6, 6), PatternLevel(6, 6, 5000));
    b.form->Timer1Timer();  // the end: the scan stops, the picture stays
    EXPECT_FALSE(b.probe().Timer1()->isActive());
    b.action("Next1")->trigger();
    EXPECT_EQ(b.counter(), "5000/5000");
    EXPECT_EQ(b.caption(), QString::fromStdString(name(5000)));

    b.probe().CurrentChild()->close();
    ASSERT_TRUE(b.open(v.Path(name(2))));
    b.action("Previous1")->trigger();
    EXPECT_EQ(b.counter(), "1/5000");
    EXPECT_EQ(b.shownLevel(6, 6), PatternLevel(6, 6, 1));
    b.action("Previous1")->trigger();
    EXPECT_EQ(b.counter(), "1/5000");
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

// Six listed pictures (seeds 1 to 6), the first one shown.
struct SixListed : ::testing::Test {
    Volume v;
    Browser b;
    static std::string Name(int i) { return "RBL_000" + std::to_string(i) + ".001"; }
    void SetUp() override {
        for (int i = 1; i <= 6; ++i) v.Write945(Name(i), i);
        ASSERT_TRUE(b.open(v.Path(Name(1))));
    }
    // The place moved to a bad entry: no box, its reason where the picture
    // was, and the counter on it.
    void ExpectBadEntry(int entry, const char* reason) {
        SCOPED_TRACE(Name(entry));
        EXPECT_TRUE(b.seam.errors.isEmpty());
        EXPECT_EQ(b.form->FileListPos(), entry);
        EXPECT_EQ(b.caption(), QString::fromStdString(Name(entry)));
        EXPECT_EQ(b.counter(), QString("%1/6").arg(entry));
        ASSERT_TRUE(b.probe().CurrentChild()->ShowsFailure());
        const QString shown = b.probe().CurrentChild()->findChild<QLabel*>("EntryFailure")->text();
        EXPECT_TRUE(shown.contains(reason)) << shown.toStdString();
    }
};

TEST_F(SixListed, EntriesGoneSinceTheListingShowTheirReasonWhereverTheyAreReached) {
    ASSERT_TRUE(QFile::remove(v.Path(Name(2))));
    ASSERT_TRUE(QFile::remove(v.Path(Name(3))));
    ASSERT_TRUE(QDir(v.Dir()).mkdir(QString::fromStdString(Name(3))));
    ASSERT_TRUE(QFile::remove(v.Path(Name(4))));
    Link(Name(4), v.Path(Name(4)));  // a link to itself

    b.action("Next1")->trigger();
    ExpectBadEntry(2, "No such file or directory");
    // The options have no picture to work on here.
    b.button("ToolButton19")->click();
    EXPECT_TRUE(b.probe().CurrentChild()->ShowsFailure());
    EXPECT_FALSE(b.form->GoToEntry(3));
    ExpectBadEntry(3, "Is a directory");
    EXPECT_FALSE(b.form->GoToEntry(4));
    ExpectBadEntry(4, "Too many levels of symbolic links");

    EXPECT_TRUE(b.form->GoToEntry(5));
    EXPECT_EQ(b.counter(), "5/6");
    EXPECT_EQ(b.caption(), QString::fromStdString(Name(5)));
    EXPECT_EQ(b.shownLevel(8, 3), PatternLevel(8, 3, 5));
    EXPECT_TRUE(b.seam.errors.isEmpty());
}

TEST_F(SixListed, TheScanPassesOverAnUnreadableEntryAndNamesItInTheStatusBar) {
    if (!PermissionsCanBind()) GTEST_SKIP() << "file permissions do not bind here";
    if (!LetOthersIn(v.Dir())) GTEST_SKIP() << "a folder above the volume is closed to the unprivileged user";
    ASSERT_TRUE(QFile::setPermissions(v.Path(Name(2)), {}));
    b.action("ScanForward1")->trigger();
    {
        PermissionsBind asUser;
        b.form->Timer1Timer();
    }
    EXPECT_TRUE(b.seam.errors.isEmpty());
    EXPECT_EQ(b.counter(), "3/6");
    EXPECT_EQ(b.shownLevel(8, 3), PatternLevel(8, 3, 3));
    EXPECT_TRUE(b.probe().Timer1()->isActive());
    const QString said = b.form->statusBar()->currentMessage();
    EXPECT_TRUE(said.contains(QString::fromStdString(Name(2))) && said.contains("Permission denied"))
        << said.toStdString();
}

// ---- Save As --------------------------------------------------------------

struct SaveRobustness : ::testing::Test {
    Volume v;
    Browser b;
    void SetUp() override {
        v.Write945("RBL_0001.001", 1);
        ASSERT_TRUE(b.open(v.Path("RBL_0001.001")));
    }
    void saveAs(const QString& path, const QString& filter = kSaveFilterBmp) {
        b.seam.saveAnswers.push_back(SaveChoice{path, filter});
        b.action("SaveAs1")->trigger();
    }
    void ExpectReported(const QString& path, const char* reason) {
        ASSERT_FALSE(b.seam.errors.isEmpty()) << path.toStdString();
        EXPECT_TRUE(b.seam.errors.back().contains(path)) << b.seam.errors.back().toStdString();
        EXPECT_TRUE(b.seam.errors.back().contains(reason)) << b.seam.errors.back().toStdString();
    }
};

TEST_F(SaveRobustness, OntoAFolderOrIntoAMissingOneIsReportedAndWritesNothing) {
    const QString folder = v.Dir() + "/picture.bmp";
    ASSERT_TRUE(QDir().mkdir(folder));
    saveAs(folder);
    ASSERT_EQ(b.seam.errors.size(), 1);
    EXPECT_TRUE(b.seam.errors[0].contains(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(EntriesOf(folder).isEmpty());

    saveAs(v.Dir() + "/missing/picture.bmp");
    ExpectReported(v.Dir() + "/missing/picture.bmp", "No such file or directory");
    EXPECT_EQ(EntriesOf(v.Dir()), QStringList({"RBL_0001.001", "picture.bmp"}));
    // The picture is still there to save elsewhere.
    saveAs(v.Dir() + "/good.bmp");
    EXPECT_EQ(ReadAll(v.Dir() + "/good.bmp").size(), 54 + 3 * 948 * 704);
}

TEST_F(SaveRobustness, FolderWithoutWritePermissionKeepsItsFiles) {
    if (!PermissionsCanBind()) GTEST_SKIP() << "file permissions do not bind here";
    if (!LetOthersIn(v.Dir())) GTEST_SKIP() << "a folder above the volume is closed to the unprivileged user";
    const QString locked = v.Dir() + "/locked";
    ASSERT_TRUE(QDir().mkdir(locked));
    const QString old = locked + "/kept.bmp";
    WriteText(old, "old picture");
    // The file itself may be written; its folder may not.
    QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                                   QFile::ReadOther | QFile::WriteOther);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::ExeOther);
    {
        PermissionsBind asUser;
        saveAs(old);
        ExpectReported(old, "Permission denied");
        saveAs(locked + "/new.png", kSaveFilterPng);
        ExpectReported(locked + "/new.png", "Permission denied");
    }
    EXPECT_EQ(b.seam.errors.size(), 2);
    EXPECT_EQ(b.seam.overwriteQuestions, QStringList({old}));
    EXPECT_EQ(ReadAll(old), "old picture");
    EXPECT_EQ(EntriesOf(locked), QStringList({"kept.bmp"}));
}

// A small memory file system, filled to the last byte, for one test.
class FullFileSystem {
public:
    explicit FullFileSystem(const QString& at) : at_(Native(at)) {
        QDir().mkpath(at);
        mounted_ = ::mount("tmpfs", at_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullFileSystem() {
        if (mounted_) ::umount2(at_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    // Writes `path` until the file system has no room left.
    static void Fill(const QString& path) {
        std::ofstream out(Native(path).toStdString(), std::ios::binary);
        const std::string block(4096, 'f');
        while (out.write(block.data(), static_cast<std::streamsize>(block.size())) && out.flush()) {
        }
    }

private:
    QByteArray at_;
    bool mounted_ = false;
};

TEST_F(SaveRobustness, FullFileSystemKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const QString full = v.Dir() + "/full";
    FullFileSystem small(full);
    if (!small.mounted()) GTEST_SKIP() << "no small file system can be mounted here";
    const QString old = full + "/kept.bmp";
    WriteText(old, "old picture");
    FullFileSystem::Fill(full + "/filler");

    saveAs(old);
    ExpectReported(old, "No space left on device");
    saveAs(full + "/new", kSaveFilterPng);
    ExpectReported(full + "/new.png", "No space left on device");
    EXPECT_EQ(b.seam.errors.size(), 2);
    EXPECT_EQ(ReadAll(old), "old picture");
    EXPECT_EQ(EntriesOf(full), QStringList({"filler", "kept.bmp"}));
}

}  // namespace
