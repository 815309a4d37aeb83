// Writes small PCM .wav files with a recognisable sample pattern for the player tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct WaveClip
{
    int channels = 1;
    int rate = 8000;
    int bits = 8;
    std::vector<std::uint8_t> pcm;

    // Pseudo-random bytes that never equal the silence value of the format, so the clip cannot blend in.
    static WaveClip Make(int channels, int rate, int bits, std::size_t frames, std::uint32_t seed)
    {
        WaveClip clip{channels, rate, bits, {}};
        const std::size_t bytes = frames * static_cast<std::size_t>(channels * bits / 8);
        std::uint32_t x = seed | 1;
        for (std::size_t i = 0; i < bytes; ++i) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            std::uint8_t b = static_cast<std::uint8_t>(x >> 8);
            if (b == clip.Silence())
                b ^= 0x11;
            clip.pcm.push_back(b);
        }
        return clip;
    }

    std::uint8_t Silence() const { return bits == 8 ? 0x80 : 0x00; }

    void Write(const std::filesystem::path& path) const
    {
        std::ofstream out(path, std::ios::binary);
        auto u32 = [&out](std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                out.put(static_cast<char>(v >> (8 * i)));
        };
        auto u16 = [&out](std::uint16_t v) {
            out.put(static_cast<char>(v));
            out.put(static_cast<char>(v >> 8));
        };
        const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
        out.write("RIFF", 4);
        u32(static_cast<std::uint32_t>(36 + pcm.size()));
        out.write("WAVEfmt ", 8);
        u32(16);
        u16(1);
        u16(static_cast<std::uint16_t>(channels));
        u32(static_cast<std::uint32_t>(rate));
        u32(static_cast<std::uint32_t>(rate) * block);
        u16(block);
        u16(static_cast<std::uint16_t>(bits));
        out.write("data", 4);
        u32(static_cast<std::uint32_t>(pcm.size()));
        out.write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(pcm.size()));
    }
};

// Whether raw device output holds the clip's PCM exactly once, with nothing but silence around it.
inline ::testing::AssertionResult PlayedExactly(const std::vector<std::uint8_t>& raw, const WaveClip& clip)
{
    auto at = std::search(raw.begin(), raw.end(), clip.pcm.begin(), clip.pcm.end());
    if (at == raw.end())
        return ::testing::AssertionFailure() << "clip not found in " << raw.size() << " bytes of output";
    const auto end = at + static_cast<std::ptrdiff_t>(clip.pcm.size());
    const std::uint8_t silence = clip.Silence();
    if (std::any_of(raw.begin(), at, [silence](std::uint8_t b) { return b != silence; }))
        return ::testing::AssertionFailure() << "sound before the clip";
    if (std::any_of(end, raw.end(), [silence](std::uint8_t b) { return b != silence; }))
        return ::testing::AssertionFailure() << "sound after the clip";
    return ::testing::AssertionSuccess();
}

inline std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
