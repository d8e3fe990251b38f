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

// The smallest scale n/8 at which the stored picture is still at least `width` x `height`; none
// (full size) when either is 0.
void chooseScale(jpeg_decompress_struct& info, int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) return;
    for (unsigned n = 1; n < 8; ++n)
        if ((info.image_width * int64_t(n) + 7) / 8 >= width &&
            (info.image_height * int64_t(n) + 7) / 8 >= height) {
            info.scale_num = n;
            info.scale_denom = 8;
            return;
        }
}

// Reads the header of a picture the decoder takes: RGB or grey, within the size limit. Called
// between setjmp and a possible longjmp.
int32_t readHeader(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const uint8_t> data,
                   int& orientation) {
    jpeg_create_decompress(&info);
    info.progress = &errors.monitor;
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) return IS40_ERR_UNSUPPORTED;
    orientation = orientationOf(info);
    return CheckPictureSize(info.image_width, info.image_height);
}

// Everything between setjmp and a possible longjmp: no locals with destructors live here, and
// the results go to `out` and `orientation`, which live in the caller. minWidth x minHeight is
// the smallest size wanted as shown, 0 x 0 the full size.
int32_t decode(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const uint8_t> data,
               int32_t minWidth, int32_t minHeight, DecodedImage& out, int& orientation) {
    if (setjmp(errors.jump))
        return errors.base.msg_code == JERR_OUT_OF_MEMORY ? IS40_ERR_MEMORY : IS40_ERR_CORRUPT;
    if (const int32_t error = readHeader(info, errors, data, orientation)) return error;
    const bool turned = orientation >= 5; // stored turned by a quarter
    chooseScale(info, turned ? minHeight : minWidth, turned ? minWidth : minHeight);
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    out = AllocatePicture(info.output_width, info.output_height);
    if (!out.pixels) return out.error;
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

int32_t size(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const uint8_t> data,
             int32_t& width, int32_t& height) {
    if (setjmp(errors.jump))
        return errors.base.msg_code == JERR_OUT_OF_MEMORY ? IS40_ERR_MEMORY : IS40_ERR_CORRUPT;
    int orientation = 1;
    if (const int32_t error = readHeader(info, errors, data, orientation)) return error;
    width = int32_t(orientation >= 5 ? info.image_height : info.image_width);
    height = int32_t(orientation >= 5 ? info.image_width : info.image_height);
    return IS40_ERR_NONE;
}

// libjpeg's state with this decoder's error handling: errors end in a longjmp, a picture cut short
// is an error, and a file with too many scans is given up.
struct Reader {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    Reader() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = errorExit;
        errors.base.emit_message = emitMessage;
        errors.monitor.progress_monitor = progress;
    }
    ~Reader() { jpeg_destroy_decompress(&info); }
};

} // namespace

DecodedImage DecodeJpeg(std::span<const uint8_t> data, int32_t minWidth, int32_t minHeight) {
    DecodedImage image;
    int orientation = 1;
    int32_t error;
    {
        Reader reader;
        error = decode(reader.info, reader.errors, data, minWidth, minHeight, image, orientation);
    }
    if (error) return DecodeError(error);
    if (const int32_t turnError = ApplyOrientation(image, orientation)) return DecodeError(turnError);
    return image;
}

int32_t JpegSize(std::span<const uint8_t> data, int32_t& width, int32_t& height) {
    Reader reader;
    return size(reader.info, reader.errors, data, width, height);
}
