#include "compose/PictureMetadata.h"

#include "imagelib/ImageError.h"
#include "imagelib/ImageLibrary.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <cstdlib>
#include <memory>

namespace {

constexpr int32_t kFirstXpTag = 40091, kLastXpTag = 40095;

QHash<QString, QString> IptcTable;

// A text block handed out by the library, freed however the reader is left.
struct TextBlock {
    char* data = nullptr;
    int32_t length = 0;
    ~TextBlock() { std::free(data); }
    QString text() const { return data ? QString::fromUtf8(data, length) : QString(); }
};

// A source that is open only as long as the reader needs it.
struct OpenSource {
    IS40_SOURCE handle;
    explicit OpenSource(const QString& path)
        : handle(Library().fn().IS40_OpenFileSource(QFile::encodeName(path).constData())) {}
    ~OpenSource() { Library().fn().IS40_CloseSource(handle); }
};

QString trimSpaces(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

uint8_t byteValue(QStringView entry) {
    const QStringView number = entry.trimmed();
    bool ok = false;
    // "x" stands before hexadecimal digits ("x4F"); anything else is decimal.
    const uint value =
        number.startsWith(u'x', Qt::CaseInsensitive) ? number.mid(1).toUInt(&ok, 16) : number.toUInt(&ok, 10);
    if (!ok || value > 255 || number.contains(u'+') || number.contains(u'-'))
        throw ImageError(13, "ReadExifTag",
                         QString("Ungültiger Wert im EXIF-Text: \"%1\"").arg(entry.left(20)));
    return uint8_t(value);
}

void addIptcText(const QString& key, const QString& text) {
    const auto old = IptcTable.constFind(key);
    IptcTable.insert(key, old == IptcTable.cend() ? text : *old + ", " + text);
}

} // namespace

QString DecodeXpText(QStringView byteList) {
    const QList<QStringView> entries = byteList.split(u',');
    QByteArray bytes;
    for (qsizetype i = 0; i + 2 < entries.size(); ++i)
        bytes += char(byteValue(entries[i]));
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) // little-endian whatever the host
        text[i] = QChar(char16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8));
    return trimSpaces(text);
}

QString ReadExifTag(const QString& path, int32_t tag) {
    const ImageLibraryFunctions& fn = Library().fn();
    IS40_EXIF reader = 0;
    {
        const OpenSource source(path);
        if (source.handle == 0) return kMissingValue;
        reader = fn.IS40_EXIFCreateReader(source.handle, 0, 1);
    }
    if (reader == 0) return kMissingValue;
    TextBlock block;
    fn.IS40_EXIFGetString(reader, tag, 31, &block.data, &block.length);
    fn.IS40_EXIFDestroyReader(reader);
    const QString text = block.text();
    if (text.isEmpty()) return kMissingValue;
    return tag >= kFirstXpTag && tag <= kLastXpTag ? DecodeXpText(text) : text;
}

void ReadIptcData(const QString& path) {
    IptcTable.clear();
    const ImageLibraryFunctions& fn = Library().fn();
    IS40_IPTC iptc = 0;
    {
        const OpenSource source(path);
        if (source.handle == 0) return;
        iptc = fn.IS40_IPTCInitialize(source.handle, 0, 0);
    }
    if (iptc == 0) return;
    const std::unique_ptr<void, void (*)(void*)> release(reinterpret_cast<void*>(iptc), [](void* handle) {
        Library().fn().IS40_IPTCRelease(reinterpret_cast<IS40_IPTC>(handle));
    });
    TextBlock list;
    fn.IS40_IPTCGetTagList(iptc, &list.data, &list.length, 0);
    for (const QString& line : list.text().split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList numbers = line.split(u',');
        bool ok[3] = {false, false, false};
        if (numbers.size() != 3) continue;
        const int32_t record = numbers[0].toInt(&ok[0]), dataset = numbers[1].toInt(&ok[1]),
                      index = numbers[2].toInt(&ok[2]);
        if (!ok[0] || !ok[1] || !ok[2]) continue;
        TextBlock value;
        if (fn.IS40_IPTCGetTag(iptc, record, dataset, index, &value.data, &value.length) == 0 || !value.data)
            continue;
        addIptcText("T" + QString::number(dataset), trimSpaces(value.text()));
    }
}

QString GetIptcTag(int32_t dataset) {
    return IptcTable.value("T" + QString::number(dataset), kMissingValue);
}
