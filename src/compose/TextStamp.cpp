#include "compose/TextStamp.h"

#include "app/NumericText.h"
#include "compose/DrawingRoutines.h"
#include "compose/FontRecord.h"
#include "compose/ReadableColour.h"
#include "compose/WorkingImage.h"
#include "imagelib/ImageLibrary.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Text is measured at four times its height and drawn with the same factor, for smooth edges.
constexpr int32_t kSmoothing = 4;
// Stamps placed further out than this lie off any image; the limit keeps edge arithmetic in range.
constexpr int32_t kFar = 1 << 30;
// Turned text is drawn whole before it is turned; a text that would need more pixels than this (far
// more than any screen) is not turned but left out.
constexpr int64_t kMaxTurnedPixels = int64_t(1) << 26;

int32_t alignmentFlags(int32_t ausrichtung, int32_t position) {
    // Automatic alignment follows the anchor's column: left, centred, right.
    const int64_t alignment = ausrichtung == 0 ? (int64_t(position) - 1) % 3 + 1 : ausrichtung;
    const int32_t flag = alignment == 2 ? IS40_DT_CENTER : alignment == 3 ? IS40_DT_RIGHT : IS40_DT_LEFT;
    return flag | IS40_DT_NOPREFIX;
}

// The stamp's size: the block measured at four times the height, scaled back, plus one pixel.
std::optional<QSize> measure(const QByteArray& text, IS40_LOGFONT font, const WorkingImageView& image) {
    if (int64_t(font.lfHeight) * kSmoothing > INT32_MAX) return std::nullopt;
    font.lfHeight *= kSmoothing;
    const IS40_RECT all{0, 0, image.width, image.height};
    int32_t width = 0, height = 0;
    if (Library().fn().IS40_GetTextLineSize2(text.constData(), &font, &all, IS40_DT_NOPREFIX, 0, &width,
                                             &height) == 0)
        return std::nullopt;
    return QSize(RoundHalfEven(width / double(kSmoothing) + 1.0),
                 RoundHalfEven(height / double(kSmoothing) + 1.0));
}

// The glyphs of the text, white on black and turned: a picture of their coverage.
struct TurnedText {
    std::vector<uint8_t> pixels;
    QSize size;
};

// The quarter turns counter-clockwise that `richtung` asks for: 1 to 3; 0, upright, for any other
// value, which the settings window cannot set.
int32_t quarterTurns(int32_t richtung) {
    return richtung >= 1 && richtung <= 3 ? richtung : 0;
}

// Draws the text into a picture of `size` at `deckkraft` percent and turns it by `turns` (1 to 3)
// quarter turns; the size is then the turned one. No pixels when a step fails.
TurnedText turnedText(const QByteArray& text, const IS40_LOGFONT& font, QSize size, int32_t flags,
                      int32_t deckkraft, int32_t turns) {
    if (int64_t(size.width()) * size.height() > kMaxTurnedPixels) return {};
    const ImageLibraryFunctions& fn = Library().fn();
    TurnedText glyphs{std::vector<uint8_t>(size_t(size.width()) * size_t(size.height()) * 3), size};
    const IS40_RECT all{0, 0, size.width(), size.height()};
    fn.IS40_SetTextTransparency(deckkraft / 100.0);
    fn.IS40_DrawSmoothTextOnRGB2(glyphs.pixels.data(), size.width(), size.height(), size.width() * 3,
                                 text.constData(), &font, kSmoothing, &all, flags, 0, 0xffffff);
    if (fn.IS40_QuickRotateImageInPlace(glyphs.pixels.data(), size.width(), size.height(), turns - 1, 3, 0) ==
        0)
        return {};
    if (turns % 2 == 1) glyphs.size.transpose();
    return glyphs;
}

void drawFrame(int32_t colour, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    DrawLine(colour, left, top, right, top);
    DrawLine(colour, right, top, right, bottom);
    DrawLine(colour, right, bottom, left, bottom);
    DrawLine(colour, left, bottom, left, top);
}

// Lays the colour on the image through the turned glyphs' coverage.
void blendTurned(TurnedText& glyphs, uint32_t colour, QPoint at, const WorkingImageView& image) {
    const ImageLibraryFunctions& fn = Library().fn();
    const int32_t width = glyphs.size.width(), height = glyphs.size.height();
    std::vector<uint8_t> mask(size_t(width) * size_t(height));
    const IS40_RECT all{0, 0, width, height};
    if (fn.IS40_ImageToGrayScale8Bit(glyphs.pixels.data(), width, height, 3, width * 3, mask.data(), width,
                                     0) == 0 ||
        fn.IS40_FillSolidRect(glyphs.pixels.data(), width, height, 3, width * 3, &all, colour, 0) == 0)
        return;
    fn.IS40_AlphaBlendRGB(image.buffer, image.width, image.height, image.width * 3, glyphs.pixels.data(),
                          width, height, width * 3, mask.data(), at.x(), at.y(), 0);
}

} // namespace

StampBackdrop BackdropOf(const Settings::Textstempel& stamp) {
    StampBackdrop backdrop;
    if (stamp.hintergrund == 1) {
        backdrop.bgColour = stamp.hintergrundfarbe;
        backdrop.bgOpacity = stamp.hintergrunddeckkraft;
    }
    if (stamp.rahmen == 1) backdrop.frameColour = stamp.rahmenfarbe;
    return backdrop;
}

QPoint StampAnchor(int32_t position, QSize image, QSize stamp, int32_t offsetx, int32_t offsety) {
    if (position < 1 || position > 9) return {0, 0};
    // Doubles hold every sum of 32-bit values exactly; the centre is rounded half to even.
    const double free[2] = {double(image.width()) - stamp.width(), double(image.height()) - stamp.height()};
    const int column = (position - 1) % 3, row = (position - 1) / 3;
    const auto edge = [](int cell, double room, int32_t offset) {
        const double at = cell == 0 ? offset : cell == 1 ? room / 2.0 + offset : room + offset;
        return std::clamp(RoundHalfEven(at), -kFar, kFar);
    };
    return {edge(column, free[0], offsetx), edge(row, free[1], offsety)};
}

void RenderTextStamp(const QString& text, const Settings::Textstempel& style, const StampBackdrop& backdrop) {
    const WorkingImageView& image = WorkingImage();
    if (text.isEmpty() || !image || style.hoehe <= 0) return;
    const QByteArray lines = QString(text).replace(QStringLiteral("%\\"), QStringLiteral("\r\n")).toUtf8();
    const IS40_LOGFONT font = MakeFontRecord(style.schriftart, style.hoehe, style.gewicht, style.kursiv,
                                             style.unterstrichen, style.durchgestrichen);
    const std::optional<QSize> measured = measure(lines, font, image);
    if (!measured) return;
    QSize size = *measured;
    const int32_t flags = alignmentFlags(style.ausrichtung, style.position);

    const int32_t turns = quarterTurns(style.richtung);
    TurnedText turned;
    if (turns > 0) {
        turned = turnedText(lines, font, size, flags, style.deckkraft, turns);
        if (turns % 2 == 1) size.transpose();
    }
    const QPoint at =
        StampAnchor(style.position, {image.width, image.height}, size, style.offsetx, style.offsety);
    uint32_t colour = uint32_t(style.farbe);
    if (style.farbelesbar == 1)
        colour = ReadableColour(at.x(), at.y(), size.width(), size.height()).value_or(colour);

    const int32_t left = at.x() - 1, top = at.y() - 1;
    const int32_t right = at.x() + size.width() + 1, bottom = at.y() + size.height() + 1;
    if (backdrop.bgColour >= 0)
        FillTransparentRect(backdrop.bgColour, left, top, right, bottom, backdrop.bgOpacity);
    if (backdrop.frameColour >= 0) drawFrame(backdrop.frameColour, left, top, right, bottom);

    if (turns > 0) {
        if (!turned.pixels.empty()) blendTurned(turned, colour, at, image);
        return;
    }
    const ImageLibraryFunctions& fn = Library().fn();
    fn.IS40_SetTextTransparency(style.deckkraft / 100.0);
    const IS40_RECT block{at.x(), at.y(), at.x() + size.width(), at.y() + size.height()};
    fn.IS40_DrawSmoothTextOnRGB2(image.buffer, image.width, image.height, image.width * 3, lines.constData(),
                                 &font, kSmoothing, &block, flags, 0, colour);
}
