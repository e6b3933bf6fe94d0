#include "framework/JPEG.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// Beyond this a header is taken for damage rather than a picture the program would show.
constexpr unsigned long long MostPixels = 1ULL << 26;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf fault;
};

// libjpeg's default ends the process; this returns to the decoder's fault point instead.
[[noreturn]] void ErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->fault, 1);
}

// A warning (level -1) means damaged data, which libjpeg would paint over in grey.
void EmitMessage(j_common_ptr info, int level) {
    if (level < 0)
        ErrorExit(info);
}

struct Decompression {
    jpeg_decompress_struct info;
    ErrorManager error;
};

// No object with a destructor lives in this frame, so a jump back to its fault point skips none;
// the image belongs to the caller and is dropped there on failure.
bool Decode(Decompression& d, std::string_view bytes, QImage& image) {
    d.info.err = jpeg_std_error(&d.error.base);
    d.error.base.error_exit = ErrorExit;
    d.error.base.emit_message = EmitMessage;
    if (setjmp(d.error.fault)) {
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.info, TRUE);
    if (static_cast<unsigned long long>(d.info.image_width) * d.info.image_height > MostPixels) {
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    d.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.info);
    image = QImage(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                   QImage::Format_RGB888);
    if (image.isNull() || d.info.output_components != 3) {
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(d.info.output_scanline));
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
    return true;
}

} // namespace

QImage DecodeJPEG(std::string_view bytes) {
    if (bytes.empty())
        return {};
    Decompression d{};
    QImage image;
    if (!Decode(d, bytes, image))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}
