// The stamp drawn by the renderer with the real library, checked pixel by pixel.
#include "StampSupport.h"

#include "compose/TextStamp.h"
#include "compose/WorkingImage.h"

namespace {

constexpr int W = 240, H = 120;

struct Stamp : LibraryTest {
    Canvas canvas{W, H, Qt::white};
    Settings::Textstempel style;

    Stamp() { style.farbe = 0x000000, style.hoehe = 20; }
    // Draws on a fresh canvas; with `box`, an opaque red box marks the stamp's block.
    void render(const QString& text, bool box = false, StampBackdrop backdrop = {}) {
        canvas = Canvas(W, H, canvas.at(0, 0));
        const WorkingImageScope scope(canvas.data(), W, H);
        RenderTextStamp(text, style, box ? StampBackdrop{0x0000ff, 100, -1} : backdrop);
    }
    // How many pixels of `r` have `colour` (or, when it is invalid, are neither white nor red),
    // and the rectangle around them.
    std::pair<int, QRect> find(QRect r, QColor colour = {}) const {
        std::pair<int, QRect> found{0, {}};
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (const QColor c = canvas.at(x, y);
                    colour.isValid() ? c == colour : c != QColor(Qt::white) && c != QColor(Qt::red))
                    ++found.first, found.second |= QRect(x, y, 1, 1);
        return found;
    }
    // The stamp's block (x, y, tw, th) from the red box one pixel around it.
    QRect block() const { return find({0, 0, W, H}, Qt::red).second.adjusted(1, 1, -1, -1); }
};

} // namespace

TEST_F(Stamp, AnchorsOfAllNineCodesAndTwoLinesAtTheLast) {
    style.offsetx = style.offsety = -10, style.position = 5;
    render("Hg", true);
    const QSize size = block().size();
    for (int position = 1; position <= 9; ++position) {
        style.position = position;
        render("Hg", true);
        const QRect b = block();
        const int column = (position - 1) % 3, row = (position - 1) / 3;
        // Offsets move left and up in every cell, so the first column and row lie partly off the
        // image: there the block's far edge tells where it begins.
        const int x[] = {-10, (W - size.width()) / 2 - 10, W - size.width() - 10};
        const int y[] = {-10, (H - size.height()) / 2 - 10, H - size.height() - 10};
        EXPECT_NEAR(b.right() - size.width() + 1, x[column], column == 1 ? 1 : 0) << position;
        EXPECT_NEAR(b.bottom() - size.height() + 1, y[row], row == 1 ? 1 : 0) << position;
    }

    // Two lines at position 9 align right; the short one starts further right.
    render("Zeile 1%\\Zweite Zeile, lang", true);
    const QRect b = block();
    const QRect line1 = find({b.x(), b.y(), b.width(), b.height() / 2}).second;
    const QRect line2 = find({b.x(), b.y() + b.height() / 2, b.width(), b.height() / 2}).second;
    EXPECT_TRUE(std::min(line1.right(), line2.right()) >= b.right() - 3 && line1.left() > line2.left() + 40);
    EXPECT_NEAR(b.height(), 2 * 20 + 1, 1);
}

// Style flags that do not fit a byte are left out, and a direction beyond the last one draws upright.
TEST_F(Stamp, TurnedTextSwapsTheBlockAndReadsAlongIt) {
    style.position = 5, style.kursiv = 256, style.unterstrichen = -1;
    QSize upright;
    for (int richtung = 0; richtung <= 4; ++richtung) {
        style.richtung = richtung;
        render("W.....", true);
        const QRect b = block();
        if (richtung == 0) upright = b.size();
        EXPECT_EQ(b.size(), richtung % 2 ? upright.transposed() : upright) << richtung;
        // The heavy "W" begins the text: on the left upright, at the bottom turned counter-clockwise
        // (1), on the right upside down (2), at the top turned clockwise (3).
        const QRect first[] = {{b.x(), b.y(), b.width() / 3, b.height()},
                               {b.x(), b.bottom() - b.height() / 3, b.width(), b.height() / 3},
                               {b.right() - b.width() / 3, b.y(), b.width() / 3, b.height()},
                               {b.x(), b.y(), b.width(), b.height() / 3}};
        EXPECT_GT(find(first[richtung % 4], Qt::black).first, 10) << richtung;
    }
    // Left out means drawn exactly as without them.
    const std::vector<uint8_t> withoutStyle = canvas.pixels;
    style.kursiv = style.unterstrichen = 0;
    render("W.....", true);
    EXPECT_EQ(canvas.pixels, withoutStyle);
}

TEST_F(Stamp, BoxAndFrameOnePixelOutside) {
    style.offsetx = 10, style.offsety = 20;
    render("Hg");
    const QRect text = canvas.changed(Qt::white);
    render("Hg", false, {0xff0000, 100, 0x00ff00});
    const QRect all = canvas.changed(Qt::white);
    const int L = 9, T = 19, R = all.right(), B = all.bottom();
    EXPECT_EQ(all.topLeft(), QPoint(L, T));
    EXPECT_TRUE(all.adjusted(1, 1, -1, -1).contains(text));
    for (const QRect edge : {QRect(L, T, R - L + 1, 1), QRect(L, B, R - L + 1, 1), QRect(L, T, 1, B - T + 1),
                             QRect(R, T, 1, B - T + 1)})
        EXPECT_EQ(find(edge, Qt::green).first, edge.width() * edge.height()) << edge.x() << "," << edge.y();
    // The box fills the block and one pixel around it: up to the frame on the left and top, and
    // one pixel short of it on the right and bottom, where the frame lies at block end + 1.
    EXPECT_TRUE(canvas.at(L + 1, T + 1) == Qt::blue && canvas.at(R - 1, B - 1) == Qt::blue);
    render("Hg", false, {0xff0000, 50, -1});
    EXPECT_EQ(canvas.at(L, T), QColor(128, 128, 255));
}

TEST_F(Stamp, ReadableColourByBrightness) {
    // On a yellow canvas white text turns black.
    canvas = Canvas(W, H, Qt::yellow);
    style.farbe = 0xffffff, style.farbelesbar = 1;
    render("HHHH");
    EXPECT_TRUE(find({0, 0, W, H}, Qt::black).first > 20 && find({0, 0, W, H}, Qt::white).first == 0);
}
