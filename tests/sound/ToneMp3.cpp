#include "tests/sound/ToneMp3.h"

#include <lame/lame.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>

namespace soundtest {

std::vector<unsigned char> EncodeToneMp3(double seconds, double frequency) {
    constexpr int rate = 22050;
    std::vector<short> samples(static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(
            12000.0 * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / rate));

    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, rate);
    lame_set_out_samplerate(lame, rate);
    lame_set_num_channels(lame, 1);
    lame_set_mode(lame, MONO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, 64);
    lame_set_bWriteVbrTag(lame, 1);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        throw std::runtime_error("lame_init_params failed");
    }
    std::vector<unsigned char> mp3(samples.size() * 5 / 4 + 7200 + 16384);
    int size =
        lame_encode_buffer(lame, samples.data(), samples.data(), static_cast<int>(samples.size()),
                           mp3.data(), static_cast<int>(mp3.size()));
    if (size >= 0) {
        const int flushed =
            lame_encode_flush(lame, mp3.data() + size, static_cast<int>(mp3.size()) - size);
        size = flushed < 0 ? flushed : size + flushed;
    }
    if (size < 0) {
        lame_close(lame);
        throw std::runtime_error("lame encoding failed");
    }
    mp3.resize(static_cast<size_t>(size));
    // The Info tag frame with the encoder delay and padding replaces the
    // placeholder the encoder wrote first.
    std::vector<unsigned char> tag(4096);
    const size_t tagSize = lame_get_lametag_frame(lame, tag.data(), tag.size());
    if (tagSize > 0 && tagSize <= mp3.size())
        std::copy_n(tag.begin(), tagSize, mp3.begin());
    lame_close(lame);
    return mp3;
}

std::vector<unsigned char> DecodeMp3(const std::filesystem::path& file) {
    int error = MPG123_OK;
    mpg123_handle* decoder = mpg123_new(nullptr, &error);
    if (decoder == nullptr)
        throw std::runtime_error("mpg123_new failed");
    mpg123_format_none(decoder);
    mpg123_format(decoder, 22050, MPG123_MONO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(decoder, file.c_str()) != MPG123_OK) {
        mpg123_delete(decoder);
        throw std::runtime_error("mpg123_open failed");
    }
    std::vector<unsigned char> pcm;
    std::vector<unsigned char> buffer(8192);
    for (;;) {
        size_t done = 0;
        const int result = mpg123_read(decoder, buffer.data(), buffer.size(), &done);
        pcm.insert(pcm.end(), buffer.begin(), buffer.begin() + static_cast<long>(done));
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
            break;
    }
    mpg123_close(decoder);
    mpg123_delete(decoder);
    return pcm;
}

void WriteFile(const std::filesystem::path& file, const std::vector<unsigned char>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace soundtest
