// The least a Qt program does to put an icon into the tray: the peer of Velomira's start-up in
// tray_start.sh.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::blue);
    QSystemTrayIcon tray{QIcon(pixmap)};
    tray.show();
    return QApplication::exec();
}
