#include "Decoders.h"
#include "Orientation.h"
#include "Parallel.h"
#include "Resample.h"

#include <algorithm>
#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>
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

// Where a large picture's decoding is split between two threads, as the first thread's share of the
// rows. The second must still entropy-decode the rows before its own, which takes about half the time
// of decoding them, so the first takes more than half.
constexpr double kFirstShare = 0.66;
// The same for a decoding that is resampled as it goes: the resampling is shared evenly.
constexpr double kFirstShareResampled = 0.58;

// The orientation of a picture and the scale n/8 it is decoded at; 0 for one still to be chosen.
struct Plan {
    int orientation = 1;
    unsigned scale = 0;
};

// Reads the header and sets the scale: the plan's or, with none yet, the smallest at which the
// picture is still at least minWidth x minHeight as shown (0 x 0: the full size). Called between
// setjmp and a possible longjmp.
int32_t prepare(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const uint8_t> data, Plan& plan,
                int32_t minWidth, int32_t minHeight) {
    if (const int32_t error = readHeader(info, errors, data, plan.orientation)) return error;
    if (plan.scale == 0) {
        const bool turned = plan.orientation >= 5; // stored turned by a quarter
        chooseScale(info, turned ? minHeight : minWidth, turned ? minWidth : minHeight);
        plan.scale = info.scale_num * 8 / info.scale_denom;
    }
    info.scale_num = plan.scale;
    info.scale_denom = 8;
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    return IS40_ERR_NONE;
}

// These three hold everything between setjmp and a possible longjmp: no locals with destructors
// live here, and the results go to their arguments, which live in the caller.
int32_t inspect(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const uint8_t> data, Plan& plan,
                int32_t minWidth, int32_t minHeight) {
    if (setjmp(errors.jump))
        return errors.base.msg_code == JERR_OUT_OF_MEMORY ? IS40_ERR_MEMORY : IS40_ERR_CORRUPT;
    return prepare(info, errors, data, plan, minWidth, minHeight);
}

// Starts the decoding of an inspected picture (a progressive one is read whole here).
int32_t begin(jpeg_decompress_struct& info, ErrorManager& errors) {
    if (setjmp(errors.jump))
        return errors.base.msg_code == JERR_OUT_OF_MEMORY ? IS40_ERR_MEMORY : IS40_ERR_CORRUPT;
    jpeg_start_decompress(&info);
    return info.output_components == 3 ? IS40_ERR_NONE : IS40_ERR_CORRUPT;
}

// Decodes rows [from, to) into `into`, whose row 0 is row `from`. Rows before `from` that have not
// been read are skipped: only entropy-decoded, and the rows after them come out as in a whole decode.
int32_t readRows(jpeg_decompress_struct& info, ErrorManager& errors, const MutableView& into, int64_t from,
                 int64_t to) {
    if (setjmp(errors.jump))
        return errors.base.msg_code == JERR_OUT_OF_MEMORY ? IS40_ERR_MEMORY : IS40_ERR_CORRUPT;
    if (int64_t(info.output_width) != into.width || to > info.output_height) return IS40_ERR_CORRUPT;
    if (from >= to) return IS40_ERR_NONE;
    if (info.output_scanline < from) jpeg_skip_scanlines(&info, JDIMENSION(from - info.output_scanline));
    while (info.output_scanline < to) {
        JSAMPROW rows[16];
        const JDIMENSION first = info.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(16, JDIMENSION(to) - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = into.pixel(0, int32_t(first + i - from));
        jpeg_read_scanlines(&info, rows, count);
    }
    // A decoding that stops early leaves the rest of the data to another or unread.
    if (to == info.output_height) jpeg_finish_decompress(&info);
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

// A decoder of one picture for a thread, and the rows it holds of it: they are decoded as they are
// asked for and dropped when no longer needed.
class BandReader {
public:
    BandReader(std::span<const uint8_t> data, Plan plan, int32_t width, std::atomic<int32_t>& error)
        : data_(data), plan_(plan), width_(width), error_(error) {}

    ConstView rows(int32_t lo, int32_t hi) {
        if (!started_) {
            started_ = true;
            int32_t error = inspect(reader_.info, reader_.errors, data_, plan_, 0, 0);
            if (!error) error = begin(reader_.info, reader_.errors);
            if (error) return fail(error);
        }
        const size_t stride = size_t(width_) * 3;
        const int32_t kept = std::max(0, first_ + count_ - lo);
        if (kept > 0)
            std::memmove(held_.data(), held_.data() + size_t(lo - first_) * stride, size_t(kept) * stride);
        first_ = lo;
        count_ = std::max(kept, hi - lo);
        if (held_.size() < size_t(count_) * stride) held_.resize(size_t(count_) * stride);
        const MutableView into{held_.data(), width_, count_, int32_t(stride)};
        if (const int32_t error =
                readRows(reader_.info, reader_.errors,
                         MutableView{into.pixel(0, kept), width_, count_ - kept, into.stride}, lo + kept, hi))
            return fail(error);
        return ConstView{into.data, into.width, into.height, into.stride};
    }

private:
    ConstView fail(int32_t error) {
        int32_t none = IS40_ERR_NONE;
        error_.compare_exchange_strong(none, error);
        return ConstView{};
    }

    std::span<const uint8_t> data_;
    Plan plan_;
    int32_t width_;
    std::atomic<int32_t>& error_;
    Reader reader_;
    bool started_ = false;
    std::vector<uint8_t> held_;
    int32_t first_ = 0, count_ = 0;
};

} // namespace

DecodedImage DecodeJpeg(std::span<const uint8_t> data, int32_t minWidth, int32_t minHeight) {
    Plan plan;
    Reader first;
    if (const int32_t error = inspect(first.info, first.errors, data, plan, minWidth, minHeight))
        return DecodeError(error);
    DecodedImage image = AllocatePicture(first.info.output_width, first.info.output_height);
    if (!image.pixels) return image;
    const MutableView all{image.pixels.get(), image.width, image.height, image.width * 3};
    // A progressive picture is read whole as its decoding starts: a second decoder would repeat that.
    const int64_t rows = image.height;
    const int64_t split = first.info.progressive_mode ? rows : int64_t(double(rows) * kFirstShare);
    int32_t errors[2] = {};
    RunInTwo(rows, image.width, split, [&](int64_t from, int64_t to) {
        const MutableView part{all.pixel(0, int32_t(from)), all.width, int32_t(to - from), all.stride};
        if (from == 0) {
            if (!(errors[0] = begin(first.info, first.errors)))
                errors[0] = readRows(first.info, first.errors, part, from, to);
            return;
        }
        Reader second;
        if (!(errors[1] = inspect(second.info, second.errors, data, plan, 0, 0)) &&
            !(errors[1] = begin(second.info, second.errors)))
            errors[1] = readRows(second.info, second.errors, part, from, to);
    });
    if (const int32_t error = errors[0] ? errors[0] : errors[1]) return DecodeError(error);
    if (const int32_t turnError = ApplyOrientation(image, plan.orientation)) return DecodeError(turnError);
    return image;
}

int32_t DecodeJpegResized(std::span<const uint8_t> data, const MutableView& dst, const ResizeWindow& window) {
    Plan plan;
    int32_t width = 0, height = 0;
    {
        Reader reader;
        if (const int32_t error =
                inspect(reader.info, reader.errors, data, plan, window.outWidth, window.outHeight))
            return error;
        // A progressive picture is read whole before its first row, a turned one turned whole.
        if (reader.info.progressive_mode || plan.orientation != 1) return IS40_ERR_UNSUPPORTED;
        width = int32_t(reader.info.output_width);
        height = int32_t(reader.info.output_height);
    }
    if (!ResamplesInBands(width, height, window)) return IS40_ERR_UNSUPPORTED;
    std::atomic<int32_t> error = IS40_ERR_NONE;
    const auto open = [&]() -> RowReader {
        auto reader = std::make_shared<BandReader>(data, plan, width, error);
        return [reader](int32_t lo, int32_t hi) { return reader->rows(lo, hi); };
    };
    if (!ResampleLanczosBands(width, height, open, kFirstShareResampled, dst, window)) return error;
    return IS40_ERR_NONE;
}

int32_t JpegSize(std::span<const uint8_t> data, int32_t& width, int32_t& height) {
    Reader reader;
    return size(reader.info, reader.errors, data, width, height);
}
