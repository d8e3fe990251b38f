#include "shell/PositionGrid.h"

#include <QGridLayout>
#include <QPainter>
#include <QPushButton>

namespace {

// A screen with a dark block where a cell anchors: the corner, the edge's middle or the centre.
QIcon anchorPicture(int index) {
    constexpr int w = 24, h = 18, block = 6;
    QPixmap picture(w, h);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(0, 0, w - 1, h - 1);
    const int column = (index - 1) % 3, row = (index - 1) / 3;
    const int x = 2 + column * (w - 4 - block) / 2, y = 2 + row * (h - 4 - block) / 2;
    painter.fillRect(x, y, block, block, QColor(32, 32, 32));
    return QIcon(picture);
}

} // namespace

PositionGrid::PositionGrid(QWidget* parent, const char* name, int& position, std::function<void()> changed)
    : QWidget(parent), position_(position), changed_(std::move(changed)) {
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int index = 1; index <= 9; ++index) {
        auto* cell = new QPushButton(this);
        cell->setObjectName(name);
        cell->setProperty("index", index);
        cell->setIcon(anchorPicture(index));
        cell->setIconSize(QSize(24, 18));
        cell->setFixedSize(36, 28);
        cell->setFlat(true);
        cell->setAutoFillBackground(true);
        connect(cell, &QPushButton::clicked, this, [this, index] { Position_Click(index); });
        grid->addWidget(cell, (index - 1) / 3, (index - 1) % 3);
        cells_[size_t(index - 1)] = cell;
    }
}

void PositionGrid::showPosition(int position) {
    for (int index = 1; index <= 9; ++index) {
        QPushButton* c = cell(index);
        QPalette palette = c->palette();
        palette.setColor(QPalette::Button, index == position ? QColor(0, 255, 0) : QColor(255, 255, 255));
        c->setPalette(palette);
    }
}

void PositionGrid::Position_Click(int index) {
    position_ = position_ == index ? 0 : index;
    showPosition(position_);
    changed_();
}
