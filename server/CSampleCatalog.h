// A deterministic sample catalogue: its names and generated recordings.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CSampleCatalog
{
public:
    // count distinct names, always the same ones in the same order: first a few dozen given names
    // (some with blanks or letters beyond ASCII), then generated ones.
    static std::vector<std::string> Names(size_t count);

    // A short tone as a complete .wav file (8 kHz, 8-bit mono PCM); its pitch follows the name, and
    // the second recording of a name (second = true) is higher and shorter than the first.
    static std::string ToneWav(const std::string& name, bool second);
};
