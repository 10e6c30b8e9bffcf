#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

// JPEG decoding through libjpeg, independent of Qt's image plugins. A damaged,
// truncated or hostile picture yields no image and a message; it never ends
// the program and never prints anything.
namespace platform {

// Pictures wider or taller than this are refused before any pixel memory is
// taken, as are those with more pixels than kMaxJpegPixels.
constexpr int kMaxJpegSide = 16384;
constexpr std::int64_t kMaxJpegPixels = std::int64_t{64} * 1024 * 1024;

// A decoded picture, or why there is none: grayscale pictures decode to
// QImage::Format_Grayscale8, colour ones (RGB, YCbCr, CMYK, YCCK) to
// QImage::Format_RGB888. The reason is the decoder's own, in English; the
// program shows a blank in place of a picture that does not decode.
class TJpegResult {
public:
    TJpegResult(QImage image) : image_(std::move(image)) {}
    TJpegResult(std::string problem) : problem_(std::move(problem)) {}

    explicit operator bool() const { return image_.has_value(); }
    QImage& operator*() { return *image_; }
    const QImage& operator*() const { return *image_; }
    const QImage* operator->() const { return &*image_; }
    const std::string& Problem() const { return problem_; }

private:
    std::optional<QImage> image_;
    std::string problem_;
};

TJpegResult LoadJpeg(std::span<const std::uint8_t> bytes);
TJpegResult LoadJpeg(const QByteArray& bytes);
TJpegResult LoadJpegFile(const QString& path);

} // namespace platform
