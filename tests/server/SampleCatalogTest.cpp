// The sample catalogue's names and tones: deterministic, distinct, usable.
#include "server/CSampleCatalog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "server/CCatalog.h"

namespace {

std::string Lowered(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

TEST(SampleCatalogTest, NamesAreValidDistinctIgnoringCaseAndStable)
{
    const auto names = CSampleCatalog::Names(20000);
    ASSERT_EQ(names.size(), 20000u);
    std::set<std::string> folded;
    bool blank = false, nonAscii = false;
    for (const std::string& name : names) {
        std::string why;
        EXPECT_TRUE(CCatalog::IsValidName(name, &why)) << name << ": " << why;
        EXPECT_TRUE(folded.insert(Lowered(name)).second) << "twice: " << name;
        blank |= name.find(' ') != std::string::npos;
        for (char c : name)
            nonAscii |= static_cast<unsigned char>(c) >= 0x80;
    }
    EXPECT_TRUE(blank);
    EXPECT_TRUE(nonAscii);
    // A shorter catalogue is the start of a longer one, so every run agrees.
    const auto few = CSampleCatalog::Names(40);
    EXPECT_TRUE(std::equal(few.begin(), few.end(), names.begin()));
    EXPECT_TRUE(CSampleCatalog::Names(0).empty());
}

TEST(SampleCatalogTest, ToneIsACompletePcmWaveThatDiffersBetweenRecordings)
{
    const std::string first = CSampleCatalog::ToneWav("Anna", false);
    const std::string second = CSampleCatalog::ToneWav("Anna", true);
    for (const std::string* wav : {&first, &second}) {
        ASSERT_GT(wav->size(), 44u);
        EXPECT_EQ(wav->substr(0, 4), "RIFF");
        EXPECT_EQ(wav->substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(wav->substr(36, 4), "data");
        uint32_t riffSize = 0, dataSize = 0;
        std::memcpy(&riffSize, wav->data() + 4, 4);
        std::memcpy(&dataSize, wav->data() + 40, 4);
        EXPECT_EQ(riffSize, wav->size() - 8);
        EXPECT_EQ(dataSize, wav->size() - 44);
    }
    EXPECT_NE(first, second);
    EXPECT_EQ(first, CSampleCatalog::ToneWav("Anna", false));
    EXPECT_NE(first, CSampleCatalog::ToneWav("Bob", false));
}

} // namespace
