#include "shell/MainWindow.h"

#include "app/ProgramState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QPainter>

namespace {

QIcon programIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2e, 0x6d, 0xb4));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(4, 4, 56, 56, 10, 10);
    p.setBrush(QColor(0xf5, 0xc2, 0x11));
    p.drawEllipse(36, 12, 16, 16);
    p.setBrush(QColor(0x3c, 0xa3, 0x4a));
    p.drawPolygon(QPolygon({{8, 56}, {26, 26}, {44, 56}}));
    return QIcon(pixmap);
}

} // namespace

MainWindow::MainWindow() {
    setObjectName("VelomirapaperEinstellungen");
    setWindowTitle("Velomira");
    setWindowIcon(programIcon());
    tray_.setIcon(programIcon());
    auto* menu = new QMenu(this);
    menu->setObjectName("VelomirapaperMenü");
    connect(menu->addAction("Konfiguration"), &QAction::triggered, this, [this] { show(); });
    menu->addSeparator();
    connect(menu->addAction("Beenden"), &QAction::triggered, this, [this] { Beenden(); });
    tray_.setContextMenu(menu);
}

void MainWindow::AddToSystray() {
    tray_.show();
}

void MainWindow::starten(int /*delay*/) {
    tray_.setToolTip("Velomira");
    AddToSystray();
    hide();
}

void MainWindow::starten_und_konfig() {
    AddToSystray();
    show();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Program().save();
    event->ignore();
    hide();
}

void MainWindow::Beenden() {
    Program().save();
    tray_.hide();
    QApplication::quit();
}
