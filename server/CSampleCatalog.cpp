// Sample names and tone recordings for trying and measuring the service.
#include "server/CSampleCatalog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <set>

namespace {

const char* const kGivenNames[] = {
    "Anna",    "Anne Marie", "Ben",      "Björn",   "Carla", "Chloé",  "Dmitri",   "Dora",  "Émile",
    "Eva",     "Farid",      "François", "Greta",   "Hana",  "Ines",   "Jean-Luc", "José",  "Jürgen",
    "Kai",     "Leonie",     "Łukasz",   "Mary Jo", "Mateo", "Nadia",  "Noor",     "Olaf",  "Priya",
    "Quentin", "Rosa",       "Søren",    "Tomás",   "Ulla",  "Viktor", "Wen",      "Yusuf", "Zoë",
};

const std::string kConsonants = "bdfghjklmnprstvz";
const std::string kVowels = "aeiou";

// Generated name k: the syllables of k + 80^2 in base 80, so every name has at least three
// syllables and no two share their letters; some get a blank after the second syllable.
std::string GeneratedName(size_t k)
{
    const size_t syllableCount = kConsonants.size() * kVowels.size();
    std::vector<std::string> syllables;
    for (size_t value = k + syllableCount * syllableCount; value > 0; value /= syllableCount) {
        const size_t s = value % syllableCount;
        syllables.push_back({kConsonants[s / kVowels.size()], kVowels[s % kVowels.size()]});
    }
    std::string name;
    for (size_t i = syllables.size(); i-- > 0;) {
        const bool first = name.empty();
        if (!first && i == syllables.size() - 3 && k % 7 == 3)
            name += ' ';
        std::string syllable = syllables[i];
        if (first || name.back() == ' ')
            syllable[0] = static_cast<char>(syllable[0] - 'a' + 'A');
        name += syllable;
    }
    return name;
}

std::string Lowered(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

void PutLittleEndian(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

} // namespace

std::vector<std::string> CSampleCatalog::Names(size_t count)
{
    std::vector<std::string> names;
    std::set<std::string> taken; // names differing only in case would clash on the client's disk
    for (const char* given : kGivenNames) {
        if (names.size() == count)
            return names;
        names.push_back(given);
        taken.insert(Lowered(given));
    }
    for (size_t k = 0; names.size() < count; ++k) {
        std::string name = GeneratedName(k);
        if (taken.insert(Lowered(name)).second)
            names.push_back(std::move(name));
    }
    return names;
}

std::string CSampleCatalog::ToneWav(const std::string& name, bool second)
{
    uint32_t hash = 2166136261u; // FNV-1a: the same pitch for the same name on every run
    for (char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const double base = 330.0 + static_cast<double>(hash % 440);
    const double frequency = second ? base * 1.5 : base;
    const uint32_t rate = 8000;
    const uint32_t samples = second ? 1600 : 2000;
    const uint32_t fade = 80;

    std::string wav;
    wav.reserve(44 + samples);
    wav += "RIFF";
    PutLittleEndian(wav, 36 + samples, 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4); // format chunk size
    PutLittleEndian(wav, 1, 2);  // PCM
    PutLittleEndian(wav, 1, 2);  // mono
    PutLittleEndian(wav, rate, 4);
    PutLittleEndian(wav, rate, 4); // bytes per second
    PutLittleEndian(wav, 1, 2);    // block align
    PutLittleEndian(wav, 8, 2);    // bits per sample
    wav += "data";
    PutLittleEndian(wav, samples, 4);
    for (uint32_t i = 0; i < samples; ++i) {
        const uint32_t edge = std::min(i, samples - 1 - i);
        const double envelope = edge < fade ? static_cast<double>(edge) / fade : 1.0;
        const double value = std::sin(2.0 * std::numbers::pi * frequency * i / rate) * envelope * 100.0;
        wav.push_back(static_cast<char>(static_cast<int>(std::lround(128.0 + value))));
    }
    return wav;
}
