#pragma once

#include <QList>
#include <QString>

class ImageLibrary;
class OperatingSystem;

// One row of the about box's version list.
struct VersionRow {
    QString Komponente;
    QString Version;

    bool operator==(const VersionRow&) const = default;
};

// The operating system row's text: the distribution, ", 64Bit" on a 64-bit system, then the kernel
// version in brackets.
QString OperatingSystemText(const OperatingSystem& os);

// The about box's rows in order: the operating system ("Betriebssystem"), the run-time components the
// program uses (Qt, Exiv2, libjpeg-turbo, libpng, libtiff, fontconfig, FreeType), then the two image
// libraries, each with the version it runs with; "NV" for one that gives none or is not there.
QList<VersionRow> ComponentVersionRows(const OperatingSystem& os, const ImageLibrary& library);
