#include "platform/JpegImage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Sample = std::function<std::vector<JSAMPLE>(int x, int y)>;

// Encodes a picture with libjpeg itself, so the tests need no image plugin.
Bytes Encode(int width, int height, int components, J_COLOR_SPACE space, const Sample& sample,
             int quality = 95) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution colour, so that sharp colour edges survive.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width * components));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto pixel = sample(x, y);
            std::copy(pixel.begin(), pixel.end(), row.begin() + x * components);
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

JSAMPLE Channel(int value) {
    return static_cast<JSAMPLE>(value);
}

// Smooth gradients that JPEG keeps within a few levels.
std::vector<JSAMPLE> Gradient(int x, int y) {
    return {Channel(40 + 4 * x), Channel(30 + 3 * y), Channel(200 - 2 * x - y)};
}

Bytes ColourPicture() {
    return Encode(37, 23, 3, JCS_RGB, Gradient);
}

int Distance(QRgb a, int r, int g, int b) {
    return std::max({std::abs(qRed(a) - r), std::abs(qGreen(a) - g), std::abs(qBlue(a) - b)});
}

// The offset of the first marker of the given kind.
std::size_t FindMarker(const Bytes& bytes, std::uint8_t marker) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == marker) {
            return i;
        }
    }
    return bytes.size();
}

platform::TJpegResult Load(const Bytes& bytes) {
    return platform::LoadJpeg(std::span<const std::uint8_t>(bytes));
}

TEST(JpegImage, DecodesColourWithOddRowLength) {
    const auto image = Load(ColourPicture());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), QSize(37, 23));
    EXPECT_EQ(image->format(), QImage::Format_RGB888);
    int worst = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            const auto expected = Gradient(x, y);
            worst = std::max(worst,
                             Distance(image->pixel(x, y), expected[0], expected[1], expected[2]));
        }
    }
    EXPECT_LE(worst, 8);
}

TEST(JpegImage, DecodesGrayscale) {
    const auto bytes = Encode(20, 10, 1, JCS_GRAYSCALE,
                              [](int x, int y) { return std::vector{Channel(10 * x + y)}; });
    const auto image = Load(bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format(), QImage::Format_Grayscale8);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            EXPECT_NEAR(qGray(image->pixel(x, y)), 10 * x + y, 4) << x << "," << y;
        }
    }
}

TEST(JpegImage, DecodesAdobeCmyk) {
    // libjpeg marks CMYK files as Adobe's, whose channels are stored inverted:
    // 255 means no ink. Left half no ink but cyan, right half no ink at all.
    const auto bytes = Encode(16, 8, 4, JCS_CMYK, [](int x, int) {
        return x < 8 ? std::vector{Channel(0), Channel(255), Channel(255), Channel(255)}
                     : std::vector{Channel(255), Channel(255), Channel(255), Channel(255)};
    });
    const auto image = Load(bytes);
    ASSERT_TRUE(image);
    EXPECT_LE(Distance(image->pixel(2, 4), 0, 255, 255), 6);
    EXPECT_LE(Distance(image->pixel(13, 4), 255, 255, 255), 6);
}

TEST(JpegImage, ByteArrayAndFileGiveTheSamePicture) {
    const auto bytes = ColourPicture();
    const QByteArray array(reinterpret_cast<const char*>(bytes.data()),
                           static_cast<qsizetype>(bytes.size()));
    QTemporaryDir dir;
    const QString path = dir.filePath("picture.jpg");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(array);
    }
    const auto fromArray = platform::LoadJpeg(array);
    const auto fromFile = platform::LoadJpegFile(path);
    ASSERT_TRUE(fromArray && fromFile);
    EXPECT_EQ(*fromArray, *Load(bytes));
    EXPECT_EQ(*fromFile, *fromArray);

    const auto missing = platform::LoadJpegFile(dir.filePath("missing.jpg"));
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.Problem().find("missing.jpg"), std::string::npos);
}

// Each of these would make libjpeg's default handler end the process; here
// each one must come back as a failure with a reason, and the decoder must
// still work afterwards.
TEST(JpegImage, BadInputFailsCleanly) {
    const auto good = ColourPicture();
    const std::size_t scan = FindMarker(good, 0xDA);
    ASSERT_LT(scan, good.size());

    const Bytes garbage(500, 0x5A);
    const Bytes headerOnly(good.begin(), good.begin() + 20);
    const Bytes cutInScan(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(scan + 40));
    Bytes notJpeg = good;
    notJpeg[1] = 0xD9;
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"garbage", garbage},
        {"header only", headerOnly},
        {"cut in the scan", cutInScan},
        {"wrong start marker", notJpeg},
    };
    for (const auto& [name, bytes] : cases) {
        const auto refused = Load(bytes);
        EXPECT_FALSE(refused) << name;
        EXPECT_FALSE(refused.Problem().empty()) << name;
    }
    EXPECT_TRUE(Load(good));
}

TEST(JpegImage, RefusesHugeDimensionsBeforeDecoding) {
    auto bytes = ColourPicture();
    const std::size_t frame = FindMarker(bytes, 0xC0);
    ASSERT_LT(frame + 9, bytes.size());
    // Baseline frame header: marker, length, precision, height, width.
    for (const std::size_t at : {frame + 5, frame + 7}) {
        bytes[at] = 60000 >> 8;
        bytes[at + 1] = 60000 & 0xFF;
    }
    auto refused = Load(bytes);
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.Problem().find("60000"), std::string::npos) << refused.Problem();

    // Under the side limit but over the pixel limit.
    bytes[frame + 5] = 12000 >> 8;
    bytes[frame + 6] = 12000 & 0xFF;
    bytes[frame + 7] = 12000 >> 8;
    bytes[frame + 8] = 12000 & 0xFF;
    refused = Load(bytes);
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.Problem().find("12000"), std::string::npos) << refused.Problem();
}

} // namespace
