#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <span>

class ImageLibrary;
class OperatingSystem;

// One row of the about box's version list.
struct VersionRow {
    QString Komponente;
    QString Version;

    bool operator==(const VersionRow&) const = default;
};

// How to find one component's version: nullopt when the component cannot be asked (the row is left
// out), an empty text when it gives no version.
struct VersionProbe {
    QString Komponente;
    std::function<std::optional<QString>()> version;
};

// Runs the probes in order and returns a row for each one that answers; an empty version is shown as
// "NV".
QList<VersionRow> CollectVersionRows(std::span<const VersionProbe> probes);

// The operating system row's text: the distribution, ", 64Bit" on a 64-bit system, then the kernel
// version in brackets.
QString OperatingSystemText(const OperatingSystem& os);

// The about box's rows in order: the operating system ("Betriebssystem"), the run-time components the
// program uses (Qt, Exiv2, libjpeg-turbo, libpng, libtiff, fontconfig, FreeType), then the two image
// libraries, each with the version it runs with.
QList<VersionRow> ComponentVersionRows(const OperatingSystem& os, const ImageLibrary& library);
