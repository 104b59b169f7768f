#include "shell/InfoUnit.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "session/status_texts.h"

using orbalux::LostLinesText;

TInfoBox::TInfoBox(QWidget* parent) : QDialog(parent) {
    setObjectName("InfoBox");
    setWindowTitle("Info");
    setFixedSize(606, 257);
    move(153, 126);

    auto* heading = new QLabel("HEADER", this);
    heading->setObjectName("Label14");
    QFont headingFont = heading->font();
    headingFont.setItalic(true);
    headingFont.setPixelSize(11);
    heading->setFont(headingFont);
    heading->setGeometry(16, 8, 200, 14);
    heading->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The header text is plain characters in fixed columns.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    fixed.setPixelSize(11);
    for (int i = 0; i < kLineCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("Label%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setFont(fixed);
        label->setGeometry(16, 24 + 16 * i, 576, 16);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        lines_[static_cast<std::size_t>(i)] = label;
    }

    auto* rule = new QFrame(this);
    rule->setObjectName("Bevel1");
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(8, 193, 585, 2);

    lostLines_ = new QLabel(this);
    lostLines_->setObjectName("LostLinesLabel");
    lostLines_->setGeometry(16, 220, 240, 16);
    lostLines_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");
    ok->setGeometry(272, 216, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TInfoBox::SetHeaderLines(const std::array<std::string, kLineCount>& lines) {
    for (int i = 0; i < kLineCount; ++i)
        lines_[static_cast<std::size_t>(i)]->setText(QString::fromLatin1(lines[static_cast<std::size_t>(i)]));
}

void TInfoBox::SetLostLineCount(int lostLines) { lostLines_->setText(QString::fromStdString(LostLinesText(lostLines))); }
