// Room in the status bar shared out by urgency: each field's width capped
// so that the most urgent text is whole. Qt's own layout would shrink every
// field alike, the readout with them, and a message takes only the room
// the permanent fields leave.
#include "shell/status_priorities.h"

#include <algorithm>

#include <QEvent>
#include <QLabel>
#include <QStatusBar>

#include "shell/elided_label.h"

namespace {

// The readout's room, kept whether the pointer is on the picture or not, so
// that the fields do not move as it comes and goes: the longest it says of
// a data pixel.
constexpr const char* kWidestReadout = "Line 9999, sample 9999: shown 255, decoded 255";
// The bar's own room: its margins, the readout's gap and the size grip; and
// what each field takes beside its text, its frame and the gap after it.
constexpr int kBarRoom = 32;
constexpr int kFieldGap = 6;
// Beside the text in the readout's or the message's room.
constexpr int kTextRoom = 8;

QString FullText(const QLabel* label) {
    if (const auto* elided = qobject_cast<const TElidedLabel*>(label)) return elided->FullText();
    return label->text();
}

}  // namespace

TStatusPriorities::TStatusPriorities(QStatusBar& bar, QLabel* readout, std::vector<QLabel*> fields)
    : QObject(&bar), bar_(bar), readout_(readout), fields_(std::move(fields)) {
    bar_.installEventFilter(this);
    for (QLabel* field : fields_) field->installEventFilter(this);
    readout_->installEventFilter(this);
    connect(&bar_, &QStatusBar::messageChanged, this, [this] { Share(); });
}

bool TStatusPriorities::eventFilter(QObject*, QEvent* event) {
    // A new size of the bar, or a field's text (its size hint) changed.
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) Share();
    return false;
}

void TStatusPriorities::Share() {
    if (sharing_) return;
    sharing_ = true;
    const QFontMetrics metrics = readout_->fontMetrics();
    const QString message = bar_.currentMessage();
    const int urgent = kTextRoom + (message.isEmpty() ? std::max(metrics.horizontalAdvance(kWidestReadout),
                                                                 metrics.horizontalAdvance(FullText(readout_)))
                                                      : bar_.fontMetrics().horizontalAdvance(message));
    // Every field shown, even an empty one, takes its frame and gap.
    int left = bar_.width() - urgent - kBarRoom;
    for (const QWidget* field : bar_.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (field != readout_ && !field->isHidden()) left -= kFieldGap;
    // The most urgent field first: the last of the list.
    for (auto it = fields_.rbegin(); it != fields_.rend(); ++it) {
        QLabel* field = *it;
        if (FullText(field).isEmpty()) {
            field->setMaximumWidth(QWIDGETSIZE_MAX);
            continue;
        }
        const int wanted = field->sizeHint().width();
        int given = std::clamp(left, 0, wanted);
        // Too narrow for a few letters and the ellipsis: gone until there is room.
        if (given < wanted && given < field->minimumSizeHint().width()) given = 0;
        field->setMinimumWidth(0);
        field->setMaximumWidth(given);
        left -= given;
    }
    sharing_ = false;
}
