#include "wavegen/Mp3Encoder.h"

#include <lame/lame.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace wavegen {

namespace {

struct LameCloser {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

void Check(int result, const char* what) {
    if (result < 0) {
        throw std::runtime_error(std::string("mp3 encoder: ") + what + " failed (" +
                                 std::to_string(result) + ")");
    }
}

} // namespace

std::vector<unsigned char> EncodeMp3(std::span<const std::int16_t> samples, int sampleRate) {
    std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
    if (!lame) {
        throw std::runtime_error("mp3 encoder: out of memory");
    }
    lame_global_flags* flags = lame.get();
    lame_set_num_channels(flags, 1);
    lame_set_mode(flags, MONO);
    lame_set_in_samplerate(flags, sampleRate);
    lame_set_out_samplerate(flags, sampleRate);
    lame_set_VBR(flags, vbr_off);
    // At lame's default 32 kb/s for this rate the frames are too small to hold
    // the Info tag, and the delay and padding could not be trimmed.
    lame_set_brate(flags, kBitRate);
    lame_set_bWriteVbrTag(flags, 1);
    Check(lame_init_params(flags), "setting up");

    // Worst case from lame.h: 1.25 * samples + 7200.
    std::vector<unsigned char> out(samples.size() * 5 / 4 + 7200);
    std::size_t used = 0;
    // lame reads its input through a non-const pointer but does not change it.
    auto* pcm = const_cast<short*>(reinterpret_cast<const short*>(samples.data()));
    const int encoded = lame_encode_buffer(flags, pcm, pcm, static_cast<int>(samples.size()),
                                           out.data(), static_cast<int>(out.size()));
    Check(encoded, "encoding");
    used += static_cast<std::size_t>(encoded);
    const int flushed =
        lame_encode_flush(flags, out.data() + used, static_cast<int>(out.size() - used));
    Check(flushed, "flushing");
    used += static_cast<std::size_t>(flushed);
    out.resize(used);

    // The encoder left an empty frame at the start for the tag; fill it in now
    // that the length is known.
    unsigned char tag[2880];
    const std::size_t tagSize = lame_get_lametag_frame(flags, tag, sizeof tag);
    if (tagSize == 0 || tagSize > sizeof tag || tagSize > out.size()) {
        throw std::runtime_error("mp3 encoder: no room for the LAME tag");
    }
    std::copy(tag, tag + tagSize, out.begin());
    return out;
}

} // namespace wavegen
