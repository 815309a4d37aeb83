// What reached the sound device while a test ran, as the device received it. No sound card here: on
// Linux SDL's disk driver writes the output to a file of the test's own; under Wine ALSA's file plugin
// writes it into a WAV file (zentrimo_sound_capture in CMake points HOME at the .asoundrc that routes
// it and names the file in ZENTRIMO_PLAYED_SOUND).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/ScratchDir.h"
#include "tests/support/WaveClip.h"

class PlayedSound
{
public:
    // From here on, whatever is played lands in the capture (anything older is gone).
    PlayedSound()
    {
#ifdef _WIN32
        const char* file = std::getenv("ZENTRIMO_PLAYED_SOUND");
        if (!file)
            throw std::runtime_error("ZENTRIMO_PLAYED_SOUND names no capture file for the sound device");
        m_file = std::filesystem::path(std::string("Z:") + file);
        std::error_code ignored;
        std::filesystem::remove(m_file, ignored);
#else
        m_file = m_dir / "played.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        setenv("SDL_DISKAUDIOFILE", m_file.c_str(), 1);
#endif
    }

    // The sample bytes received, in the played clip's own format.
    std::vector<std::uint8_t> Samples() const
    {
        std::vector<std::uint8_t> bytes = ReadAll(m_file);
#ifdef _WIN32
        // A WAV file: the samples follow the "data" chunk's header (the plugin writes a canonical one).
        static const std::uint8_t kData[] = {'d', 'a', 't', 'a'};
        const auto data = std::search(bytes.begin(), bytes.end(), std::begin(kData), std::end(kData));
        bytes.erase(bytes.begin(), data + std::min<std::ptrdiff_t>(8, bytes.end() - data));
#endif
        return bytes;
    }

private:
    ScratchDir m_dir{"sound"};
    std::filesystem::path m_file;
};
