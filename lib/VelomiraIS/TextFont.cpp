#include "TextFont.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>

namespace {

// Windows's height of a font record without one.
constexpr double kDefaultCellHeight = 16.0;
constexpr double kReferenceSize = 100.0;
// Fonts are laid out at least this large (em in pixels).
constexpr double kLayoutSize = 200.0;

QImage metricsDevice() {
    QImage device(1, 1, QImage::Format_RGB888);
    device.setDotsPerMeterX(kPixelDotsPerMeter);
    device.setDotsPerMeterY(kPixelDotsPerMeter);
    return device;
}

QFont styledFont(const IS40_LOGFONT& record) {
    QFont font(QString::fromUtf8(record.lfFaceName, qsizetype(strnlen(record.lfFaceName, 32))));
    font.setWeight(QFont::Weight(record.lfWeight <= 0 ? 400 : std::min(record.lfWeight, 1000)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    // Unhinted outlines scale linearly, so a text measured at four times the height and drawn at the
    // height keeps its proportions.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The em size that gives the record's height: a positive height is the whole cell (ascent +
// descent), a negative one the em itself.
double emSize(QFont font, const QImage& device, int32_t height) {
    if (height < 0) return -double(height);
    font.setPointSizeF(kReferenceSize);
    const QFontMetricsF reference(font, &device);
    const double cell = reference.ascent() + reference.descent();
    const double wanted = height == 0 ? kDefaultCellHeight : double(height);
    return cell > 0 ? kReferenceSize * wanted / cell : wanted;
}

double layoutScale(double em) {
    return em > 0 && em < kLayoutSize ? kLayoutSize / em : 1.0;
}

QFont sized(QFont font, double em) {
    font.setPointSizeF(std::max(em, 0.01));
    return font;
}

QString withoutPrefixes(const QString& line) {
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'&' && i + 1 < line.size()) ++i; // "&x" shows x, "&&" shows one "&"
        out += line[i];
    }
    return out;
}

} // namespace

TextFont::TextFont(const IS40_LOGFONT& record) : device_(metricsDevice()) {
    const double em = emSize(styledFont(record), device_, record.lfHeight);
    scale_ = layoutScale(em);
    font_ = sized(styledFont(record), em * scale_);
    metrics_ = QFontMetricsF(font_, &device_);
    // A cell height asked for is the line height exactly; the font's rounded metrics only share it out.
    const double cell = metrics_.ascent() + metrics_.descent();
    lineHeight_ = record.lfHeight > 0 ? record.lfHeight : cell / scale_;
    ascent_ = cell > 0 ? lineHeight_ * metrics_.ascent() / cell : lineHeight_;
}

QStringList TextLines(const char* text, int32_t flags) {
    static const QRegularExpression lineBreak("\r\n|\n|\r");
    QString all = QString::fromUtf8(text);
    QStringList lines;
    if (flags & IS40_DT_SINGLELINE)
        lines = {all.replace(lineBreak, " ")};
    else
        lines = all.split(lineBreak);
    if (!(flags & IS40_DT_NOPREFIX))
        for (QString& line : lines)
            line = withoutPrefixes(line);
    return lines;
}
