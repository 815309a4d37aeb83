// zentrimo-service's other commands: publish, requests, sample, help.
#include <gtest/gtest.h>

#include "server/CRequestStore.h"
#include "server/CSampleCatalog.h"
#include "tests/server/ServiceFixture.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& data)
{
    std::ofstream(path, std::ios::binary) << data;
}

// Files in a folder and its subfolders: packages, and any staging file left behind.
long FileCount(const std::filesystem::path& folder)
{
    long count = 0;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec); !ec && it != decltype(it)();
         ++it)
        count += it->is_regular_file() ? 1 : 0;
    return count;
}

// Python's zipfile as an independent reader: checks the archive and that every name outside ASCII
// carries flag bit 11 (UTF-8, the same on every client's system and locale), lists the entry names and
// extracts entry i to "<out>/<i>".
std::string PythonListing(const std::filesystem::path& zip, const std::filesystem::path& out)
{
    std::filesystem::create_directories(out);
    WriteFile(out / "list.py",
              "import sys, zipfile\n"
              "z = zipfile.ZipFile(sys.argv[1])\n"
              "assert z.testzip() is None\n"
              "for n, i in enumerate(z.infolist()):\n"
              "    assert bool(i.flag_bits & 0x800) == (not i.filename.isascii()), i.filename\n"
              "    open(sys.argv[2] + '/' + str(n), 'wb').write(z.read(i))\n"
              "    print(i.filename)\n");
    const std::string command = "python3 '" + (out / "list.py").string() + "' '" + zip.string() + "' '" +
                                out.string() + "' > '" + (out / "names").string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << FileText(out / "names");
    return FileText(out / "names");
}

TEST(CommandLineTest, PublishBuildsAPackageWithBothRecordingsOfTheName)
{
    ScratchDir dir("publish");
    const std::string first = CSampleCatalog::ToneWav("x", false);
    const std::string second = CSampleCatalog::ToneWav("x", true);
    WriteFile(dir / "a.wav", first);
    WriteFile(dir / "b.wav", second);
    std::string out, err;
    ASSERT_EQ(ServiceProcess::RunToEnd({"publish", "--catalog", (dir / "cat").string(), "Zoë Anne",
                                        (dir / "a.wav").string(), (dir / "b.wav").string()},
                                       &out, &err),
              0)
        << err;
    const std::filesystem::path package = dir / "cat" / "Zoë Anne.zip";
    EXPECT_EQ(PythonListing(package, dir / "x1"), "Zoë Anne.wav\nZoë Anne^.wav\n");
    EXPECT_TRUE(FileText(dir / "x1" / "0") == first && FileText(dir / "x1" / "1") == second);
    EXPECT_EQ(std::system(("unzip -tqq '" + package.string() + "'").c_str()), 0);
    EXPECT_EQ(FileCount(dir / "cat"), 1) << "no staging files left";

    // A single recording serves as both, and publishing again replaces the package.
    ASSERT_EQ(ServiceProcess::RunToEnd(
                  {"publish", "--catalog", (dir / "cat").string(), "Zoë Anne", (dir / "b.wav").string()}),
              0);
    EXPECT_EQ(PythonListing(package, dir / "x2"), "Zoë Anne.wav\nZoë Anne^.wav\n");
    EXPECT_TRUE(FileText(dir / "x2" / "0") == second && FileText(dir / "x2" / "1") == second);
}

TEST(CommandLineTest, PublishRefusesAndLeavesTheCatalogueAlone)
{
    ScratchDir dir("publish");
    WriteFile(dir / "a.wav", CSampleCatalog::ToneWav("x", false));
    WriteFile(dir / "notes.txt", "not a recording");
    const std::string cat = (dir / "cat").string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"publish", "--catalog", cat, "a/b", (dir / "a.wav").string()},
          std::vector<std::string>{"publish", "--catalog", cat, "Anna", (dir / "notes.txt").string()},
          std::vector<std::string>{"publish", "--catalog", cat, "Anna", (dir / "missing.wav").string()},
          std::vector<std::string>{"publish", "--catalog", cat, "Anna", (dir / "a.wav").string(),
                                   (dir / "a.wav").string(), (dir / "a.wav").string(),
                                   (dir / "a.wav").string()}}) {
        std::string err;
        EXPECT_EQ(ServiceProcess::RunToEnd(args, nullptr, &err), 1) << args[3];
        EXPECT_NE(err.find("zentrimo-service: "), std::string::npos) << args[3];
    }
    EXPECT_EQ(FileCount(dir / "cat"), 0);
}

TEST(CommandLineTest, RequestsListsStoredRequestsAsEscapedTsv)
{
    ScratchDir dir("requests");
    {
        CRequestStore store(dir / "r.db");
        NameRequestRecord r;
        r.client = "127.0.0.1";
        r.record = "Zoë";
        r.requester = "Jo\tDoe";
        r.email = "j@x";
        r.comments = "line\nbreak \\ back";
        store.Add(r);
    }
    std::string out;
    ASSERT_EQ(ServiceProcess::RunToEnd({"requests", "--db", (dir / "r.db").string()}, &out), 0);
    std::istringstream lines(out);
    std::string header, row, extra;
    std::getline(lines, header);
    std::getline(lines, row);
    EXPECT_EQ(header, "id\treceived\tclient\trecord\trequester\temail\tpron\tcomments");
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_EQ(row.substr(0, 2), "1\t");
    EXPECT_NE(row.find("\t127.0.0.1\tZoë\tJo\\tDoe\tj@x\t\tline\\nbreak \\\\ back"), std::string::npos)
        << row;

    std::string err;
    EXPECT_EQ(ServiceProcess::RunToEnd({"requests", "--db", (dir / "absent.db").string()}, nullptr, &err), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "absent.db")) << "listing must not create a database";
}

TEST(CommandLineTest, SampleCatalogueIsTheSameOnEveryRun)
{
    ScratchDir dir("sample");
    for (const char* name : {"one", "two"})
        ASSERT_EQ(ServiceProcess::RunToEnd({"sample", "--catalog", (dir / name).string(), "--count", "60"}),
                  0);
    std::string listed;
    ASSERT_EQ(ServiceProcess::RunToEnd({"sample", "--list", "--count", "60"}, &listed), 0);
    std::istringstream names(listed);
    size_t count = 0;
    for (std::string name; std::getline(names, name); ++count) {
        const std::string a = FileText(dir / "one" / (name + ".zip"));
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, FileText(dir / "two" / (name + ".zip"))) << name;
        if (name == "Zo\xc3\xab" || name == "\xc5\x81ukasz") {
            EXPECT_EQ(PythonListing(dir / "one" / (name + ".zip"), dir / ("x" + std::to_string(count))),
                      name + ".wav\n" + name + "^.wav\n");
        }
    }
    EXPECT_EQ(count, 60u);
    EXPECT_EQ(FileCount(dir / "one"), 60);
}

TEST(CommandLineTest, HelpAndBadArguments)
{
    std::string out, err;
    EXPECT_EQ(ServiceProcess::RunToEnd({"--help"}, &out), 0);
    EXPECT_NE(out.find("--listen HOST:PORT"), std::string::npos);
    EXPECT_EQ(ServiceProcess::RunToEnd({"--listen", "127.0.0.1"}, nullptr, &err), 2);
    EXPECT_NE(err.find("--listen wants HOST:PORT"), std::string::npos) << err;
}

} // namespace
