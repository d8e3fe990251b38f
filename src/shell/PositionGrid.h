#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QPushButton;

// The nine cells of the 3 × 3 position grid (1 top left, row by row, to 9 bottom right). The chosen
// cell is green, the others white; a click on the chosen cell clears the choice (position 0).
class PositionGrid : public QWidget {
public:
    // The cells are named `name` and carry their index in the property "index". `position` is the
    // setting they edit; `changed` runs after each click.
    PositionGrid(QWidget* parent, const char* name, int& position, std::function<void()> changed);

    // Shows `position`: its cell green (none for 0 or a value outside 1 to 9), the others white.
    void showPosition(int position);
    QPushButton* cell(int index) const { return cells_[size_t(index - 1)]; }

private:
    void Position_Click(int index);

    std::array<QPushButton*, 9> cells_{};
    int& position_;
    std::function<void()> changed_;
};
