#include "shell/About.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QtGlobal>

#include "shell/icons.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    setFixedSize(329, 391);

    auto* frame = new QFrame(this);
    frame->setObjectName("Panel1");
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(8, 8, 313, 330);

    auto* picture = new QLabel(frame);
    picture->setObjectName("ProgramIcon");  // the 177 x 145 picture
    picture->setPixmap(QPixmap::fromImage(DrawAboutPicture(177, 145)));
    picture->setFrameShape(QFrame::Box);
    picture->setFrameShadow(QFrame::Sunken);
    picture->setGeometry(8, 8, 181, 149);

    auto* icon = new QLabel(frame);
    icon->setObjectName("ProgramIcon32");
    icon->setPixmap(QPixmap::fromImage(DrawProgramIcon(32)));
    icon->setGeometry(206, 16, 32, 32);

    auto* product = new QLabel("Orbalux", frame);
    product->setObjectName("ProductName");
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    product->setFont(big);
    product->setGeometry(16, 176, 281, 36);

    auto* version = new QLabel("version 1.02", frame);
    version->setObjectName("Version");
    version->setGeometry(16, 220, 281, 20);

    auto* platform = new QLabel("for Win95/98", frame);
    platform->setObjectName("Copyright");
    platform->setGeometry(16, 244, 281, 20);

    // So that a report can name the build.
    auto* build = new QLabel(QString("Release %1, Qt %2").arg(ORBALUX_VERSION, qVersion()), frame);
    build->setObjectName("BuildVersion");
    build->setTextInteractionFlags(Qt::TextSelectableByMouse);
    build->setGeometry(16, 268, 281, 20);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");
    ok->setGeometry(127, 352, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
