// Open, the load of a list entry, and the display of the assembled BMP.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QTimer>
#include <QToolButton>

#include "intake/file_list.h"
#include "load/load_sequence.h"
#include "state/orbalux_error.h"
#include "intake/picture_file.h"
#include "shell/InfoUnit.h"
#include "shell/MDIChild.h"
#include "shell/MainUnit.h"
#include "shell/dialog_seam.h"

namespace {

QString FromNative(const std::string& s) { return QFile::decodeName(QByteArray::fromStdString(s)); }

// Qt holds a name that is not valid UTF-8 with U+FFFD in place of its odd
// bytes, so encoding it back does not give the name on disk. Such a name is
// looked up among the entries of its folder as Qt decodes them; when none or
// several match, the encoded name stands and its load reports it.
std::string ToNative(const QString& s) {
    std::string native = QFile::encodeName(s).toStdString();
    struct stat info {};
    if (!s.contains(QChar::ReplacementCharacter) || ::lstat(native.c_str(), &info) == 0) return native;
    const QFileInfo where(s);
    const QString name = where.fileName();
    if (name.isEmpty() || where.path() == s) return native;
    std::string dir = ToNative(where.path());
    if (!dir.ends_with('/')) dir += '/';
    std::string found;
    int matches = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (FromNative(entry) == name) {
            found = entry;
            ++matches;
        }
    }
    return matches == 1 ? dir + found : native;
}

// Open's despeckle geometry, kept so that a failed Open leaves it as it was.
struct SpeckleGeometry {
    int stride, lines;
    std::uint8_t bright, dark;
    explicit SpeckleGeometry(const orbalux::PictureState& s)
        : stride(s.FrameStride), lines(s.FrameLines), bright(s.SpeckleBrightDelta), dark(s.SpeckleDarkDelta) {}
    void Restore(orbalux::PictureState& s) const {
        s.FrameStride = stride;
        s.FrameLines = lines;
        s.SpeckleBrightDelta = bright;
        s.SpeckleDarkDelta = dark;
    }
};

}  // namespace

void TMainForm::Open1Click() {
    const std::optional<QString> chosen = seam_.openFileName(this, lastPath_);
    if (!chosen || chosen->isEmpty()) return;
    OpenPath(*chosen);
}

bool TMainForm::OpenPath(const QString& chosen) {
    if (!Action("Open1")->isEnabled()) return false;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    const std::string nativePath = ToNative(path);

    const SpeckleGeometry before(state_);
    orbalux::SetOpenDespeckleGeometry(state_);
    TChild* child = nullptr;
    try {
        orbalux::LoadPicture(state_, nativePath);
        state_.FileDir = orbalux::DirectoryPart(nativePath);
        BuildFileList();
        SetScanPause(2000, "N2seconds1");

        child = new TChild;
        mdiArea_->addSubWindow(child);
        CurrentChild_ = child;
        AttachImageWindow(child);
        child->showMaximized();
        ShowPicture();
        child->setWindowTitle(QFileInfo(path).fileName());
        connect(child, &TChild::closed, this, &TMainForm::ImageWindowClosed);
    } catch (const std::exception& e) {
        if (child) delete child;
        before.Restore(state_);
        if (const auto* error = dynamic_cast<const orbalux::OrbaluxError*>(&e))
            ReportError(FromNative(error->file()), FromNative(error->reason()));
        else
            ReportError(path, QString::fromLocal8Bit(e.what()));
        return false;
    }
    SetPictureCommands(true);
    SyncOptionButtons();
    UpdateCounter();
    RefreshHeaderLines();
    lastPath_ = path;
    return true;
}

void TMainForm::BuildFileList() {
    FileList_ = orbalux::ListPictureFiles(state_.FileDir);
    FileListPos_ = orbalux::FindListPosition(FileList_, state_.CurrentFileName);
}

void TMainForm::UpdateCounter() { Memo1_->setText(QString("%1/%2").arg(FileListPos_).arg(FileListCount())); }

void TMainForm::LoadListEntry() {
    if (!CurrentChild_ || FileListPos_ < 1 || FileListPos_ > FileListCount()) return;
    const std::string& name = FileList_[static_cast<std::size_t>(FileListPos_ - 1)];
    const std::string path = state_.FileDir + name;
    try {
        orbalux::LoadPicture(state_, path);
        ShowPicture();
    } catch (const std::exception& e) {
        // The scan stops before the report, so that no tick runs behind it;
        // the shown picture stays, and the position has moved past the entry.
        StopScan();
        if (const auto* error = dynamic_cast<const orbalux::OrbaluxError*>(&e))
            ReportError(FromNative(error->file()), FromNative(error->reason()));
        else
            ReportError(FromNative(path), QString::fromLocal8Bit(e.what()));
        return;
    }
    CurrentChild_->setWindowTitle(FromNative(name));
    SyncOptionButtons();
    UpdateCounter();
    RefreshHeaderLines();
    lastPath_ = FromNative(path);
}

void TMainForm::ShowPicture(bool wholeChain) {
    const std::size_t size = std::min(orbalux::BitmapFileSize(state_), state_.BitmapBuffer.size());
    const QByteArray bmpFile(reinterpret_cast<const char*>(state_.BitmapBuffer.data()),
                             static_cast<qsizetype>(size));
    const QImage picture = QImage::fromData(bmpFile, "BMP");
    if (picture.isNull()) throw orbalux::OrbaluxError(state_.CurrentFileName, "the picture could not be assembled");
    CurrentChild_->ShowPicture(picture, bmpFile);
    PictureShown(wholeChain);
}

void TMainForm::RefreshHeaderLines() {
    InfoBox_->SetHeaderLines(state_.HeaderLines);
    InfoBox_->SetLostLineCount(state_.LostLineCount);
}

void TMainForm::ImageWindowClosed() {
    CurrentChild_ = nullptr;
    SetPictureCommands(false);
    Timer1_->stop();
    Button("FileTylAutBtn")->setChecked(false);
    Button("FileForAutoBtn")->setChecked(false);
    Memo1_->setText("0/0");
    ClearViewingTools();
}
