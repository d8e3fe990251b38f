#include "Translation.h"

#include <QFile>
#include <QLocale>
#include <QtEndian>
#include <cstdint>
#include <unordered_map>

// Exiv2 translates its words through gettext, in a folder it binds next to the executable on its
// first translation, and in the language of the process locale: the same picture read "North" from
// the build tree and "Norden" when installed, and English under LANG=C although the program speaks
// German there. gettext cannot be told a language except through the process's environment and
// locale (under the C locale it ignores LANGUAGE), which would change every library's texts. So
// Exiv2 prints in the C locale, that is in English (see Exif.cpp), and its catalog for the
// program's language is read here, by name, from the locale folder where Exiv2's package puts it.

namespace {

using Catalog = std::unordered_map<std::string, std::string>;

constexpr uint32_t kMoMagic = 0x950412de;
constexpr uint64_t kBeyondFile = uint64_t(1) << 32; // more than any length or offset in the file

// A gettext catalog (.mo): after the magic number and the revision, the number of texts and the
// offsets of two tables of (length, offset) pairs, one for the English texts and one for their
// translations, in the byte order of the magic number. A damaged catalog counts as none.
Catalog readCatalog(const QString& path) {
    QFile file(path);
    const QByteArray mo = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (mo.size() < 20) return {};
    const bool little = qFromLittleEndian<uint32_t>(mo.constData()) == kMoMagic;
    if (!little && qFromBigEndian<uint32_t>(mo.constData()) != kMoMagic) return {};
    const auto word = [&](uint64_t at) -> uint64_t {
        if (at + 4 > uint64_t(mo.size())) return kBeyondFile;
        return little ? qFromLittleEndian<uint32_t>(mo.constData() + at)
                      : qFromBigEndian<uint32_t>(mo.constData() + at);
    };
    const auto text = [&](uint64_t entry, std::string& out) {
        const uint64_t length = word(entry), offset = word(entry + 4);
        if (length > uint64_t(mo.size()) || offset > uint64_t(mo.size()) - length) return false;
        out.assign(mo.constData() + offset, length);
        return true;
    };
    Catalog catalog;
    const uint64_t count = word(8), originals = word(12), translations = word(16);
    for (uint64_t i = 0; i < count; ++i) {
        std::string english, translated;
        if (!text(originals + 8 * i, english) || !text(translations + 8 * i, translated)) return {};
        if (!english.empty()) // the empty text holds the catalog's header
            catalog.emplace(std::move(english), translated.substr(0, translated.find('\0'))); // the singular
    }
    return catalog;
}

// As gettext does, the catalog of the full locale name ("de_AT") before that of the language ("de").
Catalog languageCatalog() {
    const QLocale system = QLocale::system();
    const QString name = system.language() == QLocale::C ? QStringLiteral("de") : system.name();
    for (const QString& folder : {name, name.section(u'_', 0, 0)}) {
        Catalog catalog = readCatalog(VELOMIRA_EXIV2_LOCALEDIR "/" + folder + "/LC_MESSAGES/exiv2.mo");
        if (!catalog.empty()) return catalog;
    }
    return {};
}

} // namespace

std::string TranslateExiv2Words(const std::string& english) {
    static const Catalog catalog = languageCatalog();
    const auto found = catalog.find(english);
    return found == catalog.end() ? english : found->second;
}
