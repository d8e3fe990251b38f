#include "VelomiraIS.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImageReader>

namespace {

// Qt refuses to decode pictures whose pixels need more than 256 MB; allow what the pixel limit
// allows at 4 bytes per pixel, Qt's decoding format.
constexpr int kQtAllocationLimitMB = int(IS40_MAX_PIXELS * 4 / (1 << 20) + 1);

} // namespace

extern "C" int32_t IS40_Initialize(void) {
    // Fonts and text drawing need a QGuiApplication. A host without one (a plain C program) gets
    // one on the offscreen platform, so that no display is needed; it lives as long as the process.
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 3;
        static char name[] = "VelomiraIS", option[] = "-platform", platform[] = "offscreen";
        static char* argv[] = {name, option, platform, nullptr};
        new QGuiApplication(argc, argv);
    }
    QImageReader::setAllocationLimit(kQtAllocationLimitMB);
    return 1;
}

extern "C" const char* IS40_GetVersion(void) {
    return VELOMIRA_LIB_VERSION;
}
