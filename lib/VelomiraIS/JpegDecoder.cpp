#include "Decoders.h"
#include "Orientation.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// Progressive files with thousands of tiny scans take minutes to decode; real photos have < 20.
constexpr int kMaxScans = 500;

struct ErrorManager {
    jpeg_error_mgr base;
    jpeg_progress_mgr monitor;
    std::jmp_buf jump;
};

[[noreturn]] void errorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void emitMessage(j_common_ptr info, int level) {
    // libjpeg pads a picture whose data ends early with grey and only warns; refuse it instead.
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) errorExit(info);
}

void progress(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) errorExit(info);
}

// From the first APP1 segment that holds EXIF; others, such as XMP, may come before it.
int orientationOf(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && IsExif({m->data, m->data_length}))
            return ExifOrientation({m->data, m->data_length});
    return 1;
}

// Everything between setjmp and a possible longjmp: no locals with destructors live here, and
// the result goes to `out`, which lives in the caller.
int32_t decode(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const uint8_t> data,
               DecodedImage& out, int& orientation) {
    if (setjmp(errors.jump))
        return errors.base.msg_code == JERR_OUT_OF_MEMORY ? IS40_ERR_MEMORY : IS40_ERR_CORRUPT;
    jpeg_create_decompress(&info);
    info.progress = &errors.monitor;
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) return IS40_ERR_UNSUPPORTED;
    orientation = orientationOf(info);

    out = AllocatePicture(info.image_width, info.image_height);
    if (!out.pixels) return out.error;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || int64_t(info.output_width) != out.width ||
        int64_t(info.output_height) != out.height)
        return IS40_ERR_CORRUPT;
    const size_t stride = size_t(out.width) * 3;
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[16];
        const JDIMENSION first = info.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(16, info.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = out.pixels.get() + (first + i) * stride;
        jpeg_read_scanlines(&info, rows, count);
    }
    jpeg_finish_decompress(&info);
    return IS40_ERR_NONE;
}

} // namespace

DecodedImage DecodeJpeg(std::span<const uint8_t> data) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = errorExit;
    errors.base.emit_message = emitMessage;
    errors.monitor.progress_monitor = progress;

    DecodedImage image;
    int orientation = 1;
    const int32_t error = decode(info, errors, data, image, orientation);
    jpeg_destroy_decompress(&info);
    if (error) return DecodeError(error);
    if (const int32_t turnError = ApplyOrientation(image, orientation)) return DecodeError(turnError);
    return image;
}
