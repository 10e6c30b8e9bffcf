#include "tests/wavegen/Mp3Decode.h"

#include <gtest/gtest.h>
#include <mpg123.h>

Decoded DecodeMp3(const std::filesystem::path& path) {
    Decoded decoded;
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (handle == nullptr) {
        ADD_FAILURE() << "mpg123_new failed";
        return decoded;
    }
    mpg123_param(handle, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    // Only 16-bit at the file's own rate: no resampling may change the length.
    mpg123_format_none(handle);
    mpg123_format(handle, kSampleRate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(handle, path.c_str()) != MPG123_OK) {
        ADD_FAILURE() << "cannot open " << path;
        mpg123_delete(handle);
        return decoded;
    }
    int encoding = 0;
    if (mpg123_getformat(handle, &decoded.Rate, &decoded.Channels, &encoding) != MPG123_OK) {
        ADD_FAILURE() << "no format in " << path;
    }
    unsigned char buffer[8192];
    for (;;) {
        std::size_t done = 0;
        const int result = mpg123_read(handle, buffer, sizeof buffer, &done);
        const auto* samples = reinterpret_cast<const short*>(buffer);
        decoded.Samples.insert(decoded.Samples.end(), samples, samples + done / sizeof(short));
        if (result == MPG123_DONE) {
            break;
        }
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT) {
            ADD_FAILURE() << "decoding " << path << ": " << mpg123_plain_strerror(result);
            break;
        }
    }
    mpg123_close(handle);
    mpg123_delete(handle);
    return decoded;
}
