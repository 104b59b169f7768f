// File, Export Sequence...: the list from the shown picture to a chosen end
// as one movie, behind a progress dialog that can cancel it. A cancelled or
// failed export leaves no file: the movie is written under a temporary name
// and renamed only when whole.
#include "shell/sequence_commands.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QProgressDialog>
#include <QStatusBar>
#include <QStringList>

#include "movie/movie_format.h"
#include "session/sequence_export.h"
#include "shell/dialog_seam.h"
#include "shell/native_names.h"
#include "shell/wrote_message.h"

TSequenceCommands::TSequenceCommands(QWidget& window, TDialogSeam& seam, orbalux::BrowsingSession& session,
                                     TScanControl& scan, TErrorReport& report)
    : window_(window), seam_(seam), session_(session), scan_(scan), report_(report) {}

void TSequenceCommands::Export() {
    if (!session_.PictureShown() || session_.FileListPos() == 0) return;
    const TScanControl::Wait wait(scan_);
    QString proposed = DialogPath(session_.Folder() + session_.ShownName() + ".webm");
    std::optional<SequenceChoice> choice;
    for (;;) {
        choice = seam_.sequenceExport(&window_, proposed, session_.FileListPos(), session_.FileListCount());
        if (!choice || choice->path.isEmpty()) return;
        // A name without a movie's extension gets WebM's.
        if (!orbalux::MovieFormatForPath(ToNative(choice->path))) choice->path += ".webm";
        proposed = choice->path;
        const QFileInfo existing(choice->path);
        if (existing.exists() && !existing.isDir() && !seam_.confirmOverwrite(&window_, choice->path)) continue;
        break;
    }

    QProgressDialog progress("Writing the movie...", "Cancel", 0, 1, &window_);
    progress.setObjectName("ExportProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    auto report = [&progress](std::size_t done, std::size_t total) {
        progress.setMaximum(static_cast<int>(total));
        progress.setValue(static_cast<int>(done));
        return !progress.wasCanceled();
    };
    orbalux::SequenceResult result;
    try {
        result = orbalux::ExportSequence(session_, {choice->first, choice->last}, ToNative(choice->path), choice->fps,
                                         report);
    } catch (const orbalux::OrbaluxError& e) {
        progress.close();
        report_.ReportError(e);
        return;
    }
    progress.close();
    if (!result.written) return;
    ShowWrote(window_, choice->path);
    if (result.leftOut.empty()) return;
    QStringList lines{"Left out of the movie:"};
    for (const orbalux::OrbaluxError& e : result.leftOut)
        lines << QString("%1: %2").arg(FromNative(e.file()), FromNative(e.reason()));
    seam_.showError(&window_, lines.join("\n"));
}
