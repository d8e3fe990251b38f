#include "shell/ErrInfoDialog.h"

#include "compose/ErrInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

ErrInfoDialog::ErrInfoDialog(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName("ErrInfo");
    setWindowTitle("Velomira");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);

    auto* Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    Image1->setAlignment(Qt::AlignTop);
    auto* Meldung = new QLabel(text, this);
    Meldung->setObjectName("Meldung");
    Meldung->setWordWrap(true);
    Meldung->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });

    auto* message = new QHBoxLayout;
    message->addWidget(Image1);
    message->addWidget(Meldung, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addLayout(buttons);
    setMinimumWidth(320);
}

void ErrInfoDialog::OKButton_Click() {
    accept();
}

void ErrInfoDialog::install() {
    SetErrInfoHandler([](const QString& text) {
        ErrInfoDialog dialog(text);
        dialog.exec();
    });
}
