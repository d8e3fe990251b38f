#include "compose/ComposeWallpaper.h"

#include "calendar/RenderCalendar.h"
#include "compose/ErrInfo.h"
#include "compose/FitPicture.h"
#include "compose/LibraryStep.h"
#include "compose/Placeholders.h"
#include "compose/SplitPath.h"
#include "compose/TextStamp.h"
#include "compose/WorkingImage.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"
#include "imagelib/ImageLibrary.h"
#include "platform/AtomicFile.h"
#include "platform/WallpaperBackend.h"

#include <cstdio>
#include <new>

namespace {

// The picture reduced to one pixel: its representative colour, as a COLORREF.
uint32_t matchingColour(const ImageBuffer& picture) {
    ImageBuffer pixel = AllocateBuffer(1, 1);
    CheckStep(Library().fn().IS40_ResizeImage(picture.data(), picture.width(), picture.height(),
                                              picture.stride(), pixel.data(), 1, 1, 3, 3, IS40_RESIZE_AREA,
                                              0),
              "IS_ResizeImage");
    const uint8_t* rgb = pixel.data();
    return uint32_t(rgb[0]) | uint32_t(rgb[1]) << 8 | uint32_t(rgb[2]) << 16;
}

ImageBuffer plainCanvas(QSize screen, uint32_t colour) {
    ImageBuffer canvas = AllocateBuffer(screen.width(), screen.height());
    const IS40_RECT all{0, 0, screen.width(), screen.height()};
    CheckStep(Library().fn().IS40_FillSolidRect(canvas.data(), canvas.width(), canvas.height(), 3,
                                                canvas.stride(), &all, colour, 0),
              "IS_FillSolidRect");
    return canvas;
}

// The picture centred on a canvas of the colour; a picture larger than the screen shows its middle.
ImageBuffer onCanvas(const ImageBuffer& picture, QSize screen, uint32_t colour) {
    ImageBuffer canvas = plainCanvas(screen, colour);
    const int x = (screen.width() - picture.width()) / 2; // truncates toward zero
    const int y = (screen.height() - picture.height()) / 2;
    CheckStep(Library().fn().IS40_OverlayImage(canvas.data(), canvas.width(), canvas.height(), 3,
                                               canvas.stride(), picture.data(), picture.width(),
                                               picture.height(), picture.stride(), x, y, 1.0, 1.0, 0, 0),
              "IS_OverlayImage");
    return canvas;
}

// Stores the position, and the picture's name once it has been read. The position is stored on
// the failure path too, so that the next call moves on past a picture that cannot be shown.
void rememberPicture(ProgramState& program, const QString* name) {
    if (name) program.settings.misc.bildname = *name;
    program.store.update([&](IniDocument& doc) {
        if (name) doc.setValue("misc", "bildname", *name);
        doc.setValue("misc", "letztes_bild", QString::number(program.CurrentIndex));
    });
}

} // namespace

bool ComposeWallpaper(ProgramState& program, const PictureList& pictures, WallpaperResult* shown) {
    if (program.StartupInProgress) return false;
    const Settings::Misc& misc = program.settings.misc;
    const QSize screen(program.ScreenWidth, program.ScreenHeight);
    bool advanced = false; // the position moved and is not stored yet
    QString failure;       // the description ErrInfo shows
    try {
        // An empty storage folder would put the file into the file system's root.
        if (misc.bmpverzeichnis.isEmpty())
            throw ImageError(1000, "ComposeWallpaper", "kein Ablageverzeichnis");
        ImageBuffer canvas;
        QString path; // with its parts empty on a plain canvas
        PathParts parts;
        if (pictures.empty()) {
            canvas = plainCanvas(screen, uint32_t(misc.hgfarbe));
            program.settings.misc.bildname.clear();
        } else {
            if (++program.CurrentIndex < 1 || program.CurrentIndex > qsizetype(pictures.size()))
                program.CurrentIndex = 1;
            advanced = true;
            path = pictures[size_t(program.CurrentIndex - 1)].path;
            ImageBuffer picture = ReadFittedPicture(path, screen, misc, [&] {
                parts = SplitPath(path);
                rememberPicture(program, &parts.name);
                advanced = false;
            });
            if (QSize(picture.width(), picture.height()) == screen)
                canvas = std::move(picture);
            else
                canvas =
                    onCanvas(picture, screen,
                             misc.passende_farbe == 1 ? matchingColour(picture) : uint32_t(misc.hgfarbe));
        }
        // The text stamp and the calendar are drawn here, on the canvas.
        if (const Settings::Textstempel& stamp = program.settings.textstempel; stamp.ausgeben == 1) {
            const QString text = ExpandPlaceholders(stamp.text, path, parts);
            const WorkingImageScope scope(canvas.data(), canvas.width(), canvas.height());
            RenderTextStamp(text, stamp, BackdropOf(stamp));
        }
        if (program.settings.kalender.ausgeben != 0) {
            const WorkingImageScope scope(canvas.data(), canvas.width(), canvas.height());
            RenderCalendar(program.settings.kalender);
        }

        const QString file = misc.bmpverzeichnis + "/" + kWallpaperFileName;
        RemoveStaleTemporaries(file);
        WriteImage(file, canvas);
        canvas = ImageBuffer();
        const WallpaperResult result = SetDesktopWallpaper(file);
        if (!result.message.isEmpty()) std::fprintf(stderr, "velomira: %s\n", qPrintable(result.message));
        if (shown) *shown = result;
        return true;
    } catch (const ImageError& e) {
        failure = e.description();
    } catch (const std::bad_alloc&) {
        failure = "GlobalAlloc";
    }
    if (advanced) rememberPicture(program, nullptr);
    ShowErrInfo(failure);
    return false;
}

bool ComposeWallpaper() {
    return ComposeWallpaper(Program(), Pictures());
}
