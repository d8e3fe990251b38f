#include "compose/Placeholders.h"

#include "app/Clock.h"
#include "calendar/CalendarDates.h"
#include "compose/PictureMetadata.h"
#include "imagelib/ImageError.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Text whose characters remember whether a metadata code inserted them: inserted characters are
// never part of a code.
class MarkedText {
public:
    explicit MarkedText(const QString& text) : text_(text), inserted_(size_t(text.size()), false) {}

    const QString& text() const { return text_; }

    // The first code (two characters, any letter case) at or after `from` made of original
    // characters, or -1.
    qsizetype find(QStringView code, qsizetype from) const {
        for (qsizetype p = text_.indexOf(code, from, Qt::CaseInsensitive); p >= 0;
             p = text_.indexOf(code, p + 1, Qt::CaseInsensitive))
            if (!inserted_[size_t(p)] && !inserted_[size_t(p + 1)]) return p;
        return -1;
    }

    // Removes the code at `at` with the decimal digits behind it and returns their number (0
    // without digits). Raises an ImageError when it does not fit 32 bits.
    int32_t takeCode(qsizetype at) {
        const QString code = text_.mid(at, 2);
        qsizetype end = at + 2;
        int64_t number = 0;
        for (; end < text_.size() && !inserted_[size_t(end)] && text_[end] >= u'0' && text_[end] <= u'9';
             ++end) {
            number = number * 10 + (text_[end].unicode() - u'0');
            if (number > INT32_MAX)
                throw ImageError(
                    6, "ComposeWallpaper",
                    QString("Überlauf: Die Zahl hinter %1 im Stempeltext ist zu groß.").arg(code));
        }
        text_.remove(at, end - at);
        inserted_.erase(inserted_.begin() + at, inserted_.begin() + end);
        return int32_t(number);
    }

    void insert(qsizetype at, const QString& value) {
        text_.insert(at, value);
        inserted_.insert(inserted_.begin() + at, size_t(value.size()), true);
    }

private:
    QString text_;
    std::vector<bool> inserted_;
};

// Replaces codes and their digits by `value(number)` until none is left; of several kinds of code,
// every code of the first kind is taken before any of the next.
template <size_t N, typename Value>
void expandMetadata(MarkedText& text, const std::array<QStringView, N>& codes, Value value) {
    // Where the search for each kind may start: the text before a code held none of its kind or of
    // an earlier kind, and a new code can only arise one character before a taken one, where an
    // empty value joins the text on both sides.
    std::array<qsizetype, N> from{};
    for (;;) {
        size_t kind = 0;
        qsizetype at = text.find(codes[0], from[0]);
        while (at < 0 && ++kind < N)
            at = text.find(codes[kind], from[kind]);
        if (at < 0) return;
        text.insert(at, value(text.takeCode(at)));
        const qsizetype restart = std::max<qsizetype>(at - 1, 0);
        for (size_t k = 0; k < N; ++k)
            from[k] = k <= kind ? restart : std::min(from[k], restart);
    }
}

QString lastComponent(const QString& directory) {
    return directory.mid(directory.lastIndexOf(u'/') + 1);
}

} // namespace

MetadataLookup MetadataLookup::PictureFile() {
    return {ReadExifTag, ReadIptcData, GetIptcTag};
}

QString ExpandPlaceholders(const QString& text, const QString& path, const PathParts& parts,
                           const MetadataLookup& lookup) {
    QString out = text;
    out.replace("%k", path, Qt::CaseInsensitive);
    out.replace("%l", parts.drive, Qt::CaseInsensitive);
    out.replace("%p", parts.directory, Qt::CaseInsensitive);
    out.replace("%v", lastComponent(parts.directory), Qt::CaseInsensitive);
    out.replace("%n", parts.name, Qt::CaseInsensitive);
    out.replace("%a", parts.extension, Qt::CaseInsensitive);
    // The clock is read for each of the three, as a stamp made at midnight always was.
    out.replace("%d", Now().date().toString("dd.MM.yyyy"), Qt::CaseInsensitive);
    out.replace("%u", Now().time().toString("HH:mm:ss"), Qt::CaseInsensitive);
    out.replace("%w", CalendarLocale().dayName(Now().date().dayOfWeek(), QLocale::LongFormat),
                Qt::CaseInsensitive);

    MarkedText marked(out);
    expandMetadata(marked, std::array<QStringView, 1>{u"%e"},
                   [&](int32_t tag) { return lookup.exifTag(path, tag); });
    lookup.readIptc(path);
    const auto iptc = [&](int32_t dataset) {
        const QString value = lookup.iptcTag(dataset);
        return value == kMissingValue ? QString() : value;
    };
    expandMetadata(marked, std::array<QStringView, 2>{u"%i", u"?i"}, iptc);
    return marked.text();
}
