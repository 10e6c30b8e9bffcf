#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// JPEG decoding through libjpeg, independent of Qt's image plugins. A damaged,
// truncated or hostile picture yields no image and a message; it never ends
// the program and never prints anything.
namespace platform {

// Pictures wider or taller than this are refused before any pixel memory is
// taken, as are those with more pixels than kMaxJpegPixels.
constexpr int kMaxJpegSide = 16384;
constexpr std::int64_t kMaxJpegPixels = std::int64_t{64} * 1024 * 1024;

// Grayscale pictures decode to QImage::Format_Grayscale8, colour ones (RGB,
// YCbCr, CMYK, YCCK) to QImage::Format_RGB888. On failure the reason is
// stored in *error when error is given.
std::optional<QImage> LoadJpeg(std::span<const std::uint8_t> bytes, std::string* error = nullptr);
std::optional<QImage> LoadJpeg(const QByteArray& bytes, std::string* error = nullptr);
std::optional<QImage> LoadJpegFile(const QString& path, std::string* error = nullptr);

} // namespace platform
