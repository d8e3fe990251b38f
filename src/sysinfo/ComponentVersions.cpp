#include "sysinfo/ComponentVersions.h"

#include "imagelib/ImageLibrary.h"
#include "sysinfo/LoadedLibrary.h"
#include "sysinfo/OperatingSystem.h"

#include <QRegularExpression>
#include <QtGlobal>

// Each component is asked through the copy loaded into this process, so its row shows the version
// the program really runs with. One not loaded yet (libtiff comes in with Qt's TIFF plugin at the
// first TIFF picture) is asked through the file the dynamic loader would load for it, which is the
// one that will come in; "NV" only when the library is not on the machine. The release is asked
// from the library itself: most file names carry only the ABI version.
// The sonames are the ones the program, its image library and Qt's plugins link against; a loaded
// copy is found under any ABI version.

namespace {

// The first dotted number of a library's version text ("LIBTIFF, Version 4.5.0" gives "4.5.0"), else
// the text's first line.
QString versionInText(const QString& all) {
    static const QRegularExpression number(R"(\d+(\.\d+)+)");
    const QRegularExpressionMatch match = number.match(all);
    return match.hasMatch() ? match.captured() : all.section('\n', 0, 0).trimmed();
}

// `ask`'s answer for the library of `soname`; empty when the library is not there.
template <typename Ask> QString askLibrary(std::string_view soname, Ask ask) {
    const std::optional<LoadedLibrary> library = LoadedLibrary::Open(soname);
    return library ? ask(*library) : QString();
}

QString exiv2Version() {
    // Exiv2 answers only through C++ functions; its file name carries the release.
    return askLibrary("libexiv2.so.27",
                      [](const LoadedLibrary& l) { return VersionFromFileName(l.realFileName()); });
}

QString jpegVersion() {
    // libjpeg-turbo's API reports only the libjpeg API level ("6b"), and its file name only the ABI
    // version; its release is only in a text built into the library.
    return askLibrary("libjpeg.so.62", [](const LoadedLibrary& l) {
        return versionInText(l.embeddedText("libjpeg-turbo version "));
    });
}

QString pngVersion() {
    return askLibrary("libpng16.so.16", [](const LoadedLibrary& l) {
        // The structure argument is not used; null is allowed.
        const auto version = l.function<const char* (*)(const void*)>("png_get_libpng_ver");
        return version ? QString::fromUtf8(version(nullptr)) : QString();
    });
}

QString tiffVersion() {
    return askLibrary("libtiff.so.6", [](const LoadedLibrary& l) {
        const auto version = l.function<const char* (*)()>("TIFFGetVersion");
        return version ? versionInText(QString::fromUtf8(version())) : QString();
    });
}

QString fontconfigVersion() {
    return askLibrary("libfontconfig.so.1", [](const LoadedLibrary& l) {
        const auto version = l.function<int (*)()>("FcGetVersion");
        if (!version) return QString();
        const int v = version(); // major * 10000 + minor * 100 + revision
        return QString("%1.%2.%3").arg(v / 10000).arg(v / 100 % 100).arg(v % 100);
    });
}

QString freetypeVersion() {
    return askLibrary("libfreetype.so.6", [](const LoadedLibrary& l) {
        // FreeType tells its version only through a library instance of its own.
        const auto init = l.function<int (*)(void**)>("FT_Init_FreeType");
        const auto version = l.function<void (*)(void*, int*, int*, int*)>("FT_Library_Version");
        const auto done = l.function<int (*)(void*)>("FT_Done_FreeType");
        void* instance = nullptr;
        if (!init || !version || !done || init(&instance) != 0) return QString();
        int major = 0, minor = 0, patch = 0;
        version(instance, &major, &minor, &patch);
        done(instance);
        return QString("%1.%2.%3").arg(major).arg(minor).arg(patch);
    });
}

QString imageLibraryVersion(const char* (*version)()) {
    return version ? QString::fromUtf8(version()) : QString();
}

VersionRow row(const QString& komponente, const QString& version) {
    return {komponente, version.isEmpty() ? QStringLiteral("NV") : version};
}

} // namespace

QString OperatingSystemText(const OperatingSystem& os) {
    // Appended, not substituted: the distribution's name may itself contain "%1".
    return os.name() + (os.Is64BitOS() ? ", 64Bit" : "") +
           QString(" (%1.%2.%3)").arg(os.Major()).arg(os.Minor()).arg(os.Revision());
}

QList<VersionRow> ComponentVersionRows(const OperatingSystem& os, const ImageLibrary& library) {
    const ImageLibraryFunctions& fn = library.fn();
    return {
        row("Betriebssystem", OperatingSystemText(os)),
        row("Qt", QString::fromLatin1(qVersion())),
        row("Exiv2", exiv2Version()),
        row("libjpeg-turbo", jpegVersion()),
        row("libpng", pngVersion()),
        row("libtiff", tiffVersion()),
        row("fontconfig", fontconfigVersion()),
        row("FreeType", freetypeVersion()),
        row(ImageLibrary::kBaseFile, imageLibraryVersion(fn.IS40_GetVersion)),
        row(ImageLibrary::kEffectsFile, imageLibraryVersion(fn.ISE40_GetVersion)),
    };
}
