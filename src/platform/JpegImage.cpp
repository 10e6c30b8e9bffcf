#include "platform/JpegImage.h"

#include <QFile>

// jpeglib.h needs FILE and size_t declared before it.
#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <vector>

namespace platform {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Everything the decoding touches lives here, outside the frame that calls
// setjmp, so that nothing is left in an indeterminate state by the longjmp.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;
    std::vector<JSAMPLE> cmykRow;
    std::string failure;
};

// libjpeg's own handler would print and call exit(): jump back instead.
[[noreturn]] void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (level -1) mean corrupt or missing data, such as a file that ends
// early: the picture would come out partly grey, so it counts as a failure.
// Trace messages are dropped.
void EmitMessage(j_common_ptr info, int level) {
    if (level < 0) {
        ErrorExit(info);
    }
}

void OutputMessage(j_common_ptr) {}

// Adobe's encoders store CMYK inverted, and mark the file with their APP14
// segment; everyone else stores it plain.
void CmykToRgb(const JSAMPLE* cmyk, uchar* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int channel = 0; channel < 3; ++channel) {
            const int ink = inverted ? cmyk[channel] : 255 - cmyk[channel];
            rgb[channel] = static_cast<uchar>(ink * k / 255);
        }
    }
}

bool Decode(Decoder& d, const std::uint8_t* data, std::size_t size) {
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = ErrorExit;
    d.errors.base.emit_message = EmitMessage;
    d.errors.base.output_message = OutputMessage;
    if (setjmp(d.errors.jump)) {
        jpeg_destroy_decompress(&d.info);
        d.failure = d.errors.message;
        return false;
    }
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d.info, TRUE);

    const auto width = d.info.image_width;
    const auto height = d.info.image_height;
    constexpr auto maxSide = static_cast<JDIMENSION>(kMaxJpegSide);
    if (width > maxSide || height > maxSide || std::int64_t{width} * height > kMaxJpegPixels) {
        jpeg_destroy_decompress(&d.info);
        d.failure = "picture too large: " + std::to_string(width) + " x " + std::to_string(height);
        return false;
    }

    QImage::Format format = QImage::Format_RGB888;
    switch (d.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        d.info.out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        d.info.out_color_space = JCS_CMYK;
        break;
    default:
        d.info.out_color_space = JCS_RGB;
        break;
    }
    jpeg_start_decompress(&d.info);

    d.image = QImage(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                     format);
    if (d.image.isNull()) {
        jpeg_destroy_decompress(&d.info);
        d.failure = "not enough memory for the picture";
        return false;
    }
    const bool cmyk = d.info.out_color_space == JCS_CMYK;
    if (cmyk) {
        d.cmykRow.resize(std::size_t{d.info.output_width} * 4);
    }
    while (d.info.output_scanline < d.info.output_height) {
        const int y = static_cast<int>(d.info.output_scanline);
        JSAMPROW row = cmyk ? d.cmykRow.data() : d.image.scanLine(y);
        jpeg_read_scanlines(&d.info, &row, 1);
        if (cmyk) {
            CmykToRgb(d.cmykRow.data(), d.image.scanLine(y), d.info.output_width,
                      d.info.saw_Adobe_marker);
        }
    }
    jpeg_finish_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
    return true;
}

} // namespace

TJpegResult LoadJpeg(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return std::string("empty picture");
    }
    Decoder decoder;
    if (!Decode(decoder, bytes.data(), bytes.size())) {
        return std::string(decoder.failure);
    }
    return std::move(decoder.image);
}

TJpegResult LoadJpeg(const QByteArray& bytes) {
    return LoadJpeg(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                              static_cast<std::size_t>(bytes.size())));
}

TJpegResult LoadJpegFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return path.toStdString() + ": " + file.errorString().toStdString();
    }
    return LoadJpeg(file.readAll());
}

} // namespace platform
