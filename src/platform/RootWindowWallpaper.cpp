#include "platform/RootWindowWallpaper.h"

#include <QImage>
#include <QRect>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace {

struct Free {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

struct Connection {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    ~Connection() { xcb_disconnect(c); }
    bool ok() const { return xcb_connection_has_error(c) == 0; }
};

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return r ? r->atom : XCB_NONE;
}

xcb_pixmap_t pixmapProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    const Reply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_PIXMAP, 0, 1), nullptr));
    if (!r || xcb_get_property_value_length(r.get()) != 4) return XCB_NONE;
    return *static_cast<xcb_pixmap_t*>(xcb_get_property_value(r.get()));
}

uint8_t bitsPerPixel(xcb_connection_t* c, uint8_t depth) {
    for (auto it = xcb_setup_pixmap_formats_iterator(xcb_get_setup(c)); it.rem; xcb_format_next(&it))
        if (it.data->depth == depth) return it.data->bits_per_pixel;
    return 0;
}

// The monitors' rectangles on the root window; the whole root when the server names none.
std::vector<QRect> monitors(xcb_connection_t* c, const xcb_screen_t* screen) {
    std::vector<QRect> rects;
    const Reply<xcb_randr_get_monitors_reply_t> r(
        xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, screen->root, 1), nullptr));
    if (r)
        for (auto it = xcb_randr_get_monitors_monitors_iterator(r.get()); it.rem;
             xcb_randr_monitor_info_next(&it))
            if (it.data->width > 0 && it.data->height > 0)
                rects.emplace_back(it.data->x, it.data->y, it.data->width, it.data->height);
    if (rects.empty()) rects.emplace_back(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    return rects;
}

// `picture` scaled to cover `size`, its middle part of that size.
QImage filled(const QImage& picture, QSize size) {
    if (picture.size() == size) return picture;
    const QImage scaled = picture.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled.copy(
        QRect(QPoint((scaled.width() - size.width()) / 2, (scaled.height() - size.height()) / 2), size));
}

// Puts `image` at `at` into `pixmap`, in bands that fit into one request.
void upload(xcb_connection_t* c, xcb_pixmap_t pixmap, xcb_gcontext_t gc, uint8_t depth, const QImage& image,
            QPoint at) {
    const int w = image.width(), h = image.height();
    const uint32_t maxBytes = xcb_get_maximum_request_length(c) * 4 - 64;
    const int rows = std::max(1, int(maxBytes / uint32_t(w * 4)));
    for (int y = 0; y < h; y += rows) {
        const int band = std::min(rows, h - y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, uint16_t(w), uint16_t(band), int16_t(at.x()),
                      int16_t(at.y() + y), 0, depth, uint32_t(w * band * 4), image.constScanLine(y));
    }
}

QString outputName(xcb_connection_t* c, xcb_randr_output_t output) {
    const Reply<xcb_randr_get_output_info_reply_t> info(
        xcb_randr_get_output_info_reply(c, xcb_randr_get_output_info(c, output, XCB_CURRENT_TIME), nullptr));
    if (!info || info->connection != XCB_RANDR_CONNECTION_CONNECTED) return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info.get())),
                             xcb_randr_get_output_info_name_length(info.get()));
}

} // namespace

QString PrimaryOutputName() {
    Connection x;
    if (!x.ok()) return "0";
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.c)).data->root;
    const Reply<xcb_randr_get_output_primary_reply_t> primary(
        xcb_randr_get_output_primary_reply(x.c, xcb_randr_get_output_primary(x.c, root), nullptr));
    if (primary && primary->output != XCB_NONE)
        if (const QString name = outputName(x.c, primary->output); !name.isEmpty()) return name;
    const Reply<xcb_randr_get_screen_resources_current_reply_t> resources(
        xcb_randr_get_screen_resources_current_reply(x.c, xcb_randr_get_screen_resources_current(x.c, root),
                                                     nullptr));
    if (resources) {
        const xcb_randr_output_t* outputs = xcb_randr_get_screen_resources_current_outputs(resources.get());
        for (int i = 0; i < xcb_randr_get_screen_resources_current_outputs_length(resources.get()); ++i)
            if (const QString name = outputName(x.c, outputs[i]); !name.isEmpty()) return name;
    }
    return "0";
}

QString RootWindowWallpaper::apply(const QString& file) {
    const QImage picture = QImage(file).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull()) return "Bild nicht lesbar: " + file;
    Connection x;
    if (!x.ok()) return "keine Verbindung zum X-Server";
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.c)).data;
    // QImage's RGB32 is the 0x00RRGGBB word of a TrueColor visual of depth 24 or 32.
    if ((screen->root_depth != 24 && screen->root_depth != 32) || bitsPerPixel(x.c, screen->root_depth) != 32)
        return QString("Farbtiefe %1 des X-Servers wird nicht unterstützt").arg(screen->root_depth);

    // One pixmap over the whole root, every monitor's part with the picture filled to that monitor;
    // parts that no monitor shows stay black.
    const uint16_t w = screen->width_in_pixels, h = screen->height_in_pixels;
    const xcb_pixmap_t pixmap = xcb_generate_id(x.c);
    xcb_create_pixmap(x.c, screen->root_depth, pixmap, screen->root, w, h);
    const xcb_gcontext_t gc = xcb_generate_id(x.c);
    xcb_create_gc(x.c, gc, pixmap, XCB_GC_FOREGROUND, &screen->black_pixel);
    const xcb_rectangle_t all = {0, 0, w, h};
    xcb_poly_fill_rectangle(x.c, pixmap, gc, 1, &all);
    for (const QRect& monitor : monitors(x.c, screen))
        upload(x.c, pixmap, gc, screen->root_depth, filled(picture, monitor.size()), monitor.topLeft());
    xcb_free_gc(x.c, gc);

    const xcb_atom_t xroot = atom(x.c, "_XROOTPMAP_ID"), esetroot = atom(x.c, "ESETROOT_PMAP_ID");
    const xcb_pixmap_t old = pixmapProperty(x.c, screen->root, xroot);
    if (old != XCB_NONE && old == pixmapProperty(x.c, screen->root, esetroot))
        xcb_kill_client(x.c, old); // frees the pixmap an earlier run left on the server
    xcb_change_property(x.c, XCB_PROP_MODE_REPLACE, screen->root, xroot, XCB_ATOM_PIXMAP, 32, 1, &pixmap);
    xcb_change_property(x.c, XCB_PROP_MODE_REPLACE, screen->root, esetroot, XCB_ATOM_PIXMAP, 32, 1, &pixmap);
    xcb_change_window_attributes(x.c, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(x.c, 0, screen->root, 0, 0, 0, 0);
    // Checked, so that an error of any request above surfaces before the connection closes.
    const Reply<xcb_generic_error_t> error(
        xcb_request_check(x.c, xcb_set_close_down_mode_checked(x.c, XCB_CLOSE_DOWN_RETAIN_PERMANENT)));
    if (error) return QString("X-Fehler %1").arg(error->error_code);
    return {};
}
