#include "shell/ProgramIcon.h"

#include <QPainter>
#include <QPolygon>

QIcon ProgramIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x6d, 0xb4));
    p.drawRoundedRect(4, 4, 56, 56, 10, 10);
    p.setBrush(QColor(0xf5, 0xc2, 0x11));
    p.drawEllipse(36, 12, 16, 16);
    p.setBrush(QColor(0x3c, 0xa3, 0x4a));
    p.drawPolygon(QPolygon({{8, 56}, {26, 26}, {44, 56}}));
    return QIcon(pixmap);
}
