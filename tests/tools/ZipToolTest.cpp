// zentrimo-zip from the shell: add, list, test, extract, and the error line with its code.
#include <gtest/gtest.h>

#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"

using namespace ziptest;

namespace {

const std::string kTool = std::string(ZENTRIMO_BINARY_DIR) + "/tools/zentrimo-zip";

struct Result
{
    int status;
    std::string out;
    std::string err;
};

// A Windows console program ends its lines with CRLF; the tests compare lines, not line ends.
std::string Lines(std::string text)
{
#ifdef _WIN32
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
#endif
    return text;
}

Result Tool(const ScratchDir& dir, const std::string& args)
{
    const auto out = dir / "stdout";
    const auto err = dir / "stderr";
    const int status = RunShell(kTool + " " + args + " >" + Quote(out) + " 2>" + Quote(err));
    return {status, Lines(ReadBytes(out)), Lines(ReadBytes(err))};
}

} // namespace

TEST(ZipTool, AddListTestAndExtractRoundTrip)
{
    ScratchDir dir("ziptool");
    WriteBytes(dir / "src" / "a.wav", Pattern(50000));
    WriteBytes(dir / "src" / "b.txt", "tiny");
    const auto archive = dir / "t.zip";
    ASSERT_EQ(Tool(dir, "add " + Quote(archive) + " " + Quote(dir / "src" / "a.wav")).status, 0);
    ASSERT_EQ(Tool(dir, "add " + Quote(archive) + " " + Quote(dir / "src" / "b.txt")).status, 0) << "appends";
    const Result list = Tool(dir, "list " + Quote(archive));
    ASSERT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("0\ta.wav\tdeflated\t"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("1\tb.txt\tstored\t4\t4\t"), std::string::npos) << list.out;
    EXPECT_EQ(Tool(dir, "test " + Quote(archive)).status, 0);
    ASSERT_EQ(Tool(dir, "extract " + Quote(archive) + " " + Quote(dir / "out")).status, 0);
    EXPECT_EQ(ReadBytes(dir / "out" / "a.wav"), Pattern(50000));
    EXPECT_EQ(ReadBytes(dir / "out" / "b.txt"), "tiny");
}

TEST(ZipTool, FailuresPrintTheDescriptionAndCode)
{
    ScratchDir dir("ziptoolerr");
    ZipBuilder b;
    RawEntry e;
    e.name = "bad.wav";
    e.data = Pattern(10000);
    e.crcDelta = 1;
    b.entries.push_back(e);
    WriteBytes(dir / "crc.zip", b.Build());
    for (const char* command : {"test", "extract"}) {
        const std::string args = std::string(command) + " " + Quote(dir / "crc.zip") +
                                 (std::string(command) == "extract" ? " " + Quote(dir / "out") : "");
        const Result r = Tool(dir, args);
        EXPECT_NE(r.status, 0) << command;
        EXPECT_EQ(r.err, "zentrimo-zip: Crc mismatched (102)\n") << command;
    }
    WriteBytes(dir / "not.zip", "just text");
    const Result notZip = Tool(dir, "list " + Quote(dir / "not.zip"));
    EXPECT_NE(notZip.status, 0);
    EXPECT_NE(notZip.err.find("(116)"), std::string::npos) << notZip.err;
    const Result missing = Tool(dir, "list " + Quote(dir / "missing.zip"));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("missing.zip"), std::string::npos) << missing.err;
    EXPECT_NE(Tool(dir, "frobnicate x").status, 0);
}

// The tool writes names outside ASCII as UTF-8 with flag bit 11 on both builds, so that either build's
// archive reads the same on the other under any system locale (tools/zip_roundtrip_windows.py).
TEST(ZipTool, AccentedEntryNamesExtract)
{
    ScratchDir dir("ziptoolaccent");
    const std::vector<std::string> names = {"K\xc3\xa4se.txt", "Zo\xc3\xab.wav",
                                            "\xc3\x86r\xc3\xb8sk\xc3\xb8"
                                            "bing.wav",
                                            "\xe6\x9d\x8e\xe5\xb0\x8f\xe9\xbe\x8d.wav", "\xc5\x81ukasz^.wav"};
    const auto archive = dir / "t.zip";
    std::string files;
    for (const std::string& name : names) {
        WriteBytes(dir.Path() / U8(name), "data of " + name);
        files += " " + QuoteText(dir.Path().string() + "/" + name);
    }
    const Result add = Tool(dir, "add " + Quote(archive) + files);
    ASSERT_EQ(add.status, 0) << add.err;
    const std::vector<StoredName> stored = StoredNames(ReadBytes(archive));
    ASSERT_EQ(stored.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(stored[i].central, names[i]);
        EXPECT_EQ(stored[i].local, names[i]);
        EXPECT_EQ(stored[i].centralFlags & 0x800, 0x800) << names[i];
        EXPECT_EQ(stored[i].localFlags & 0x800, 0x800) << names[i];
    }
    const Result extract = Tool(dir, "extract " + Quote(archive) + " " + Quote(dir / "d"));
    EXPECT_EQ(extract.status, 0) << extract.err;
    for (const std::string& name : names)
        EXPECT_EQ(ReadBytes(dir / "d" / U8(name)), "data of " + name);
    EXPECT_EQ(Tool(dir, "test " + Quote(archive)).status, 0);
}

#ifndef _WIN32 // strace watches the system calls: Linux only
// Forcing an archive that was only read out to the disk made every extraction wait for the writeback
// of an archive just downloaded or copied; only an archive that was changed needs it.
TEST(ZipTool, ExtractingDoesNotForceTheArchiveToDisk)
{
    ScratchDir dir("ziptoolsync");
    WriteBytes(dir / "src" / "a.wav", Pattern(300000));
    const auto archive = dir / "t.zip";
    // The system calls that push a file's data to the device, as strace names them.
    auto syncsDuring = [&](const std::string& args) {
        const auto log = dir / "syscalls";
        // The leak checker of a sanitizer build cannot run under a tracer; the syscalls are the same.
        const int status = RunShell("ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e "
                                    "trace=fsync,fdatasync,sync,syncfs,sync_file_range -o " +
                                    Quote(log) + " " + kTool + " " + args + " >/dev/null 2>&1");
        EXPECT_EQ(status, 0) << args;
        int count = 0;
        for (char c : ReadBytes(log))
            count += c == '\n';
        return count;
    };
    EXPECT_GE(syncsDuring("add " + Quote(archive) + " " + Quote(dir / "src" / "a.wav")), 1)
        << "a changed archive is still forced out, and strace sees it";
    EXPECT_EQ(syncsDuring("extract " + Quote(archive) + " " + Quote(dir / "out")), 0);
    EXPECT_EQ(ReadBytes(dir / "out" / "a.wav"), Pattern(300000));
    EXPECT_EQ(syncsDuring("test " + Quote(archive)), 0);
}
#endif
