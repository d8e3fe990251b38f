#include "shell/Inform.h"

#include "Version.h"
#include "shell/CVersionInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr const char* kLegalNotice = "Copyright © Korbinheim. Alle Rechte vorbehalten.";

// The program's icon as its windows carry it; the style's information icon when there is none.
QPixmap iconPicture(const QWidget& dialog) {
    constexpr int kSize = 48;
    const QIcon icon = dialog.windowIcon();
    if (!icon.isNull()) return icon.pixmap(kSize, kSize);
    return dialog.style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kSize, kSize);
}

// A band that hints at a wallpaper: a sky fading into a horizon.
QPixmap bandPicture(int width) {
    QPixmap band(width, 6);
    QPainter painter(&band);
    QLinearGradient gradient(0, 0, width, 0);
    gradient.setColorAt(0, QColor(0x2e, 0x6d, 0xb4));
    gradient.setColorAt(0.7, QColor(0x3c, 0xa3, 0x4a));
    gradient.setColorAt(1, QColor(0xf5, 0xc2, 0x11));
    painter.fillRect(band.rect(), gradient);
    return band;
}

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

Inform::Inform(QWidget* parent) : QDialog(parent) {
    setObjectName("Inform");
    setWindowTitle("Info");

    auto* picIcon = label("picIcon", {}, this);
    picIcon->setPixmap(iconPicture(*this));
    picIcon->setAlignment(Qt::AlignTop);
    auto* Version = label("Version",
                          QString("Version %1.%2.%3 %4")
                              .arg(VELOMIRA_VERSION_MAJOR)
                              .arg(VELOMIRA_VERSION_MINOR)
                              .arg(VELOMIRA_VERSION_PATCH)
                              .arg(VELOMIRA_DESCRIPTION),
                          this);
    QFont bold = Version->font();
    bold.setBold(true);
    Version->setFont(bold);
    auto* Autor = label("Autor", kLegalNotice, this);
    auto* Picture1 = label("Picture1", {}, this);
    Picture1->setPixmap(bandPicture(256));
    Picture1->setScaledContents(true);
    Picture1->setFixedHeight(6);
    auto* versionInfo = new CVersionInfo(this);
    auto* cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(Version);
    texts->addWidget(Autor);
    texts->addStretch();
    auto* head = new QHBoxLayout;
    head->addWidget(picIcon);
    head->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(Picture1);
    layout->addWidget(versionInfo, 1);
    layout->addLayout(buttons);

    versionInfo->InitDialog();
    resize(440, 360);
}

void Inform::cmdOK_Click() {
    accept();
}
