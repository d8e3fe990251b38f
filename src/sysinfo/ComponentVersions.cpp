#include "sysinfo/ComponentVersions.h"

#include "imagelib/ImageLibrary.h"
#include "sysinfo/LoadedLibrary.h"
#include "sysinfo/OperatingSystem.h"

#include <QRegularExpression>
#include <QtGlobal>

// The components are asked through the copy loaded into this process, so each row shows the version
// the program really runs with. A component not loaded yet (libtiff comes in with Qt's TIFF plugin at
// the first TIFF picture) is left out rather than looked up on disk: the file there need not be the
// one that will be loaded, and its file name carries the ABI version, not the release.

namespace {

using OptionalText = std::optional<QString>;

// The first dotted number of a library's version text ("LIBTIFF, Version 4.5.0" gives "4.5.0"), else
// the text's first line.
QString versionInText(const QString& all) {
    static const QRegularExpression number(R"(\d+(\.\d+)+)");
    const QRegularExpressionMatch match = number.match(all);
    return match.hasMatch() ? match.captured() : all.section('\n', 0, 0).trimmed();
}

template <typename Ask> OptionalText askLoaded(std::string_view prefix, Ask ask) {
    const std::optional<LoadedLibrary> library = LoadedLibrary::Find(prefix);
    if (!library) return std::nullopt;
    return ask(*library);
}

OptionalText exiv2Version() {
    // Exiv2 answers only through C++ functions; its file name carries the release.
    return askLoaded("libexiv2.so.",
                     [](const LoadedLibrary& l) { return VersionFromFileName(l.realFileName()); });
}

OptionalText jpegVersion() {
    // libjpeg-turbo's API reports only the libjpeg API level ("6b"), and its file name only the ABI
    // version; its release is only in a text built into the library.
    return askLoaded("libjpeg.so.", [](const LoadedLibrary& l) -> OptionalText {
        return versionInText(l.embeddedText("libjpeg-turbo version "));
    });
}

OptionalText pngVersion() {
    return askLoaded("libpng16.so.", [](const LoadedLibrary& l) -> OptionalText {
        // The structure argument is not used; null is allowed.
        const auto version = l.function<const char* (*)(const void*)>("png_get_libpng_ver");
        if (!version) return std::nullopt;
        return QString::fromUtf8(version(nullptr));
    });
}

OptionalText tiffVersion() {
    return askLoaded("libtiff.so.", [](const LoadedLibrary& l) -> OptionalText {
        const auto version = l.function<const char* (*)()>("TIFFGetVersion");
        if (!version) return std::nullopt;
        return versionInText(QString::fromUtf8(version()));
    });
}

OptionalText fontconfigVersion() {
    return askLoaded("libfontconfig.so.", [](const LoadedLibrary& l) -> OptionalText {
        const auto version = l.function<int (*)()>("FcGetVersion");
        if (!version) return std::nullopt;
        const int v = version(); // major * 10000 + minor * 100 + revision
        return QString("%1.%2.%3").arg(v / 10000).arg(v / 100 % 100).arg(v % 100);
    });
}

OptionalText freetypeVersion() {
    return askLoaded("libfreetype.so.", [](const LoadedLibrary& l) -> OptionalText {
        // FreeType tells its version only through a library instance of its own.
        const auto init = l.function<int (*)(void**)>("FT_Init_FreeType");
        const auto version = l.function<void (*)(void*, int*, int*, int*)>("FT_Library_Version");
        const auto done = l.function<int (*)(void*)>("FT_Done_FreeType");
        void* instance = nullptr;
        if (!init || !version || !done || init(&instance) != 0) return std::nullopt;
        int major = 0, minor = 0, patch = 0;
        version(instance, &major, &minor, &patch);
        done(instance);
        return QString("%1.%2.%3").arg(major).arg(minor).arg(patch);
    });
}

OptionalText imageLibraryVersion(const char* (*version)()) {
    if (!version) return std::nullopt;
    return QString::fromUtf8(version());
}

} // namespace

QList<VersionRow> CollectVersionRows(std::span<const VersionProbe> probes) {
    QList<VersionRow> rows;
    for (const VersionProbe& probe : probes) {
        const OptionalText version = probe.version();
        if (!version) continue;
        rows.append({probe.Komponente, version->isEmpty() ? QStringLiteral("NV") : *version});
    }
    return rows;
}

QString OperatingSystemText(const OperatingSystem& os) {
    // Appended, not substituted: the distribution's name may itself contain "%1".
    return os.name() + (os.Is64BitOS() ? ", 64Bit" : "") +
           QString(" (%1.%2.%3)").arg(os.Major()).arg(os.Minor()).arg(os.Revision());
}

QList<VersionRow> ComponentVersionRows(const OperatingSystem& os, const ImageLibrary& library) {
    const ImageLibraryFunctions& fn = library.fn();
    const VersionProbe probes[] = {
        {"Betriebssystem", [&os] { return OptionalText(OperatingSystemText(os)); }},
        {"Qt", [] { return OptionalText(QString::fromLatin1(qVersion())); }},
        {"Exiv2", exiv2Version},
        {"libjpeg-turbo", jpegVersion},
        {"libpng", pngVersion},
        {"libtiff", tiffVersion},
        {"fontconfig", fontconfigVersion},
        {"FreeType", freetypeVersion},
        {ImageLibrary::kBaseFile, [&fn] { return imageLibraryVersion(fn.IS40_GetVersion); }},
        {ImageLibrary::kEffectsFile, [&fn] { return imageLibraryVersion(fn.ISE40_GetVersion); }},
    };
    return CollectVersionRows(probes);
}
