// The manual pages against the programs themselves: the same options and commands as --help, clean rendering.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "tests/packaging/Shell.h"

using namespace packagingtest;

namespace {

struct Program
{
    const char* name;
    const char* binary; // in the build tree
    const char* help;   // the arguments that print the usage
};

const Program kPrograms[] = {
    {"Zentrimo", "app/Zentrimo", "--help"},
    {"zentrimo-names", "cli/zentrimo-names", "--help"},
    {"zentrimo-service", "server/zentrimo-service", "--help"},
    {"zentrimo-zip", "tools/zentrimo-zip", ""}, // prints its usage when called without a command
};

std::string ManualPath(const Program& program)
{
    return std::string(ZENTRIMO_SOURCE_DIR) + "/packaging/linux/man/" + program.name + ".1";
}

// The roff source as the reader sees its words: "\-" is a hyphen, font changes vanish.
std::string Unescape(const std::string& roff)
{
    std::string text = std::regex_replace(roff, std::regex(R"(\\f(\[[A-Z]*\]|[BIRP]))"), "");
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    return std::regex_replace(text, std::regex(R"(\\&)"), "");
}

// Every --option, and every command word after the program's name at the start of a usage or synopsis
// line ("zentrimo-zip list", ".B zentrimo-service publish").
std::set<std::string> OptionsAndCommands(const std::string& text, const std::string& program)
{
    std::set<std::string> words;
    const std::regex option(R"(--[a-z][a-z-]*)");
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        words.insert(it->str());
    const std::regex command(R"((^|\n)(\.B |[Uu]sage: |[ \t]+))" +
                             std::regex_replace(program, std::regex("-"), "\\-") + " ([a-z]+)");
    for (std::sregex_iterator it(text.begin(), text.end(), command), end; it != end; ++it)
        words.insert((*it)[3].str());
    return words;
}

void PrintTo(const Program& program, std::ostream* out)
{
    *out << program.name;
}

class Manual : public ::testing::TestWithParam<Program>
{
};

} // namespace

TEST_P(Manual, ListsTheOptionsAndCommandsOfTheUsage)
{
    const Program& program = GetParam();
    const Output usage =
        RunShell(std::string(ZENTRIMO_BINARY_DIR) + "/" + program.binary + " " + program.help);
    const std::set<std::string> fromUsage = OptionsAndCommands(usage.text, program.name);
    ASSERT_GE(fromUsage.size(), 3u) << usage.text;
    const std::string manual = ReadText(ManualPath(program));
    ASSERT_FALSE(manual.empty()) << ManualPath(program);
    EXPECT_EQ(OptionsAndCommands(Unescape(manual), program.name), fromUsage) << usage.text;
}

TEST_P(Manual, RendersWithoutWarnings)
{
    const std::string path = Quote(ManualPath(GetParam()));
    // The check Debian's package linter makes, and groff's own with every warning on.
    const Output man =
        RunShell("{ LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z " + path +
                 " 2>&1 >/dev/null; }");
    EXPECT_EQ(man.status, 0);
    EXPECT_EQ(man.text, "");
    const Output groff = RunShell("groff -man -ww -z " + path);
    EXPECT_EQ(groff.status, 0);
    EXPECT_EQ(groff.text, "");
}

INSTANTIATE_TEST_SUITE_P(Programs, Manual, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<Program>& param) {
                             return std::regex_replace(param.param.name, std::regex("-"), "_");
                         });
