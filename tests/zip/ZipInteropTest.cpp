// Interoperation with the command-line zip/unzip tools and Python's zipfile, used as black boxes.
#include <gtest/gtest.h>

#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/CZipContainer.h"

using namespace ziptest;

namespace {

class ZipInterop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteBytes(src / "a.wav", Pattern(150000, 1));
        WriteBytes(src / "sub" / "b.txt", Pattern(40000, 2));
        WriteBytes(src / "sub" / "tiny", "xy");
        WriteBytes(src / "empty", "");
        std::string noise(70000, '\0');
        uint32_t x = 7;
        for (char& c : noise) {
            x = x * 1664525u + 1013904223u;
            c = static_cast<char>(x >> 24);
        }
        WriteBytes(src / "noise.bin", noise);
    }
    void ExpectSameTree(const std::filesystem::path& out)
    {
        for (const char* name : {"a.wav", "sub/b.txt", "sub/tiny", "empty", "noise.bin"})
            EXPECT_EQ(ReadBytes(out / name), ReadBytes(src / name)) << name;
    }
    int Python(const std::string& script, const std::string& args)
    {
        WriteBytes(dir / "script.py", script);
        return RunShell("cd " + Quote(src) + " && python3 " + Quote(dir / "script.py") + " " + args);
    }
    ScratchDir dir{"zipinterop"};
    std::filesystem::path src = dir / "src";
};

} // namespace

TEST_F(ZipInterop, ArchivesFromInfoZipExtractByteForByte)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    for (const char* options : {"-q -r", "-q -r -0", "-q -r -9", "-q -r -X"}) {
        const auto archive = dir / "iz.zip";
        std::filesystem::remove(archive);
        ASSERT_EQ(RunShell("cd " + Quote(src) + " && zip " + options + " " + Quote(archive) + " ."), 0);
        ScratchDir out("zipiz");
        ASSERT_EQ(ExtractAll(archive, out.Path()), 0) << options;
        ExpectSameTree(out.Path());
        EXPECT_TRUE(std::filesystem::is_directory(out / "sub")) << options;
    }
}

TEST_F(ZipInterop, ArchivesFromInfoZipStreamingWithDescriptors)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    // Through a pipe the sizes follow the data in a descriptor (flag bit 3).
    const auto archive = dir / "stream.zip";
    ASSERT_EQ(RunShell("cd " + Quote(src) + " && cat a.wav | zip -q -fz- - - | cat > " + Quote(archive)), 0);
    EXPECT_EQ(ReadBytes(archive)[6] & 8, 8);
    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    ASSERT_EQ(zip.EntryCount(), 1);
    ScratchDir out("zipizs");
    EXPECT_TRUE(zip.ExtractEntry(0, Win(out.Path()), true, "a.wav"));
    zip.CloseArchive();
    EXPECT_EQ(ReadBytes(out / "a.wav"), ReadBytes(src / "a.wav"));

    // Left to itself the tool streams ZIP64 records, which this classic reader refuses.
    const auto zip64 = dir / "stream64.zip";
    ASSERT_EQ(RunShell("cd " + Quote(src) + " && cat a.wav | zip -q - - | cat > " + Quote(zip64)), 0);
    ScratchDir out64("zipizs64");
    EXPECT_EQ(ExtractAll(zip64, out64.Path()), ZipErrorBadZipFile);
    EXPECT_TRUE(std::filesystem::is_empty(out64.Path()));
}

TEST_F(ZipInterop, ArchivesFromPythonExtractByteForByte)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    const std::string script =
        "import zipfile,sys,os\n"
        "mode={'deflated':zipfile.ZIP_DEFLATED,'stored':zipfile.ZIP_STORED}[sys.argv[2]]\n"
        "out=open(sys.argv[1],'wb')\n"
        "class Pipe:\n"
        "    def __init__(s,f): s.f=f; s.n=0\n"
        "    def write(s,b): s.f.write(b); s.n+=len(b); return len(b)\n"
        "    def tell(s): raise OSError('not seekable')\n"
        "    def flush(s): s.f.flush()\n"
        "target=Pipe(out) if sys.argv[3]=='pipe' else out\n"
        "z=zipfile.ZipFile(target,'w',mode)\n"
        "for n in ['a.wav','sub/b.txt','sub/tiny','empty','noise.bin']:\n"
        "    with open(n,'rb') as f, z.open(n,'w') as w: w.write(f.read())\n"
        "z.close(); out.close()\n";
    for (const char* method : {"deflated", "stored"}) {
        for (const char* how : {"file", "pipe"}) {
            const auto archive = dir / "py.zip";
            ASSERT_EQ(Python(script, Quote(archive) + " " + method + " " + how), 0) << method << how;
            ScratchDir out("zippy");
            ASSERT_EQ(ExtractAll(archive, out.Path()), 0) << method << " " << how;
            ExpectSameTree(out.Path());
        }
    }
}

TEST_F(ZipInterop, OurArchivesPassUnzipAndPython)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    const auto archive = dir / "ours.zip";
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::Create);
        for (const char* name : {"a.wav", "sub/b.txt", "sub/tiny", "empty", "noise.bin"})
            ASSERT_TRUE(zip.AddFileFromDisk(Win(src / name), -1, false, 7, 65536));
        std::filesystem::create_directories(src / "folder");
        ASSERT_TRUE(zip.AddFileFromDisk(Win(src / "folder"), -1, false));
        zip.CloseArchive();
    }
    // And appended to, the way the transfer archive grows.
    WriteBytes(src / "later.txt", Pattern(12345, 5));
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::OpenExisting, 0);
        ASSERT_TRUE(zip.AddFileFromDisk(Win(src / "later.txt"), -1, false, 7, 65536));
        zip.CloseArchive();
    }
    EXPECT_EQ(RunShell("unzip -tqq " + Quote(archive) + " >/dev/null"), 0);
    const std::string script =
        "import zipfile,sys\n"
        "z=zipfile.ZipFile(sys.argv[1])\n"
        "assert z.testzip() is None\n"
        "names=z.namelist()\n"
        "assert names==['a.wav','b.txt','tiny','empty','noise.bin','folder/','later.txt'],names\n"
        "assert z.read('a.wav')==open('a.wav','rb').read()\n"
        "assert z.read('noise.bin')==open('noise.bin','rb').read()\n";
    EXPECT_EQ(Python(script, Quote(archive)), 0);
    const auto out = dir / "unzipped";
    ASSERT_EQ(RunShell("unzip -qq -o " + Quote(archive) + " -d " + Quote(out)), 0);
    EXPECT_EQ(ReadBytes(out / "b.txt"), ReadBytes(src / "sub" / "b.txt"));
    EXPECT_EQ(ReadBytes(out / "later.txt"), ReadBytes(src / "later.txt"));
}

namespace {

// Names that mean the same on every system only when stored as UTF-8: two that CP437 has, two it lacks.
const std::vector<std::string> kWorldNames = {"Zo\xc3\xab.wav",
                                              "\xc3\x86r\xc3\xb8sk\xc3\xb8"
                                              "bing.wav",
                                              "\xe6\x9d\x8e\xe5\xb0\x8f\xe9\xbe\x8d.wav",
                                              "\xc5\x81ukasz^.wav"};

} // namespace

TEST_F(ZipInterop, NamesWithUtf8FlagFromPythonAndRawNamesFromInfoZip)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    const auto archive = dir / "names.zip";
    const std::string script =
        "import zipfile,sys\n"
        "z=zipfile.ZipFile(sys.argv[1],'w')\n"
        "for n in sys.argv[2:]: z.writestr(n,n.encode())\n"
        "z.writestr('\\u65e5\\u672c.txt','jp')\n"
        "z.writestr('caf\\u00e9.txt','fr')\n"
        "z.close()\n"
        "assert all(i.flag_bits&0x800 for i in zipfile.ZipFile(sys.argv[1]).infolist())\n";
    std::string args = Quote(archive);
    for (const std::string& name : kWorldNames)
        args += " " + Quote(name);
    ASSERT_EQ(Python(script, args), 0);
    ScratchDir out("zipnames");
    ASSERT_EQ(ExtractAll(archive, out.Path()), 0);
    EXPECT_EQ(ReadBytes(out / "\xe6\x97\xa5\xe6\x9c\xac.txt"), "jp");
    EXPECT_EQ(ReadBytes(out / "caf\xc3\xa9.txt"), "fr");
    for (const std::string& name : kWorldNames)
        EXPECT_EQ(ReadBytes(out / name), name) << "Python's bit 11 names read back exactly";

    WriteBytes(src / "\xc3\xbc.txt", "raw");
    std::string files = "\xc3\xbc.txt";
    for (const std::string& name : kWorldNames) {
        WriteBytes(src / name, "iz " + name);
        files += " " + Quote(name);
    }
    const auto iz = dir / "iz.zip";
    ASSERT_EQ(RunShell("cd " + Quote(src) + " && zip -q " + Quote(iz) + " " + files), 0);
    ScratchDir out2("zipnames2");
    ASSERT_EQ(ExtractAll(iz, out2.Path()), 0);
    EXPECT_EQ(ReadBytes(out2 / "\xc3\xbc.txt"), "raw") << "host system 3 names are taken as they are";
    for (const std::string& name : kWorldNames)
        EXPECT_EQ(ReadBytes(out2 / name), "iz " + name) << "Info-ZIP's names read back exactly";
}

TEST_F(ZipInterop, AccentedNamesTravelBothWays)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    // Ours: UTF-8 with bit 11 for every name outside ASCII, read by both peers.
    const auto ours = dir / "ours.zip";
    std::vector<std::string> names = {"Bj\xc3\xb6rn.wav", "Zo\xc3\xab^.wav", "Fran\xc3\xa7ois.wav",
                                      "S\xc3\xb8ren.wav", "Anna.wav"};
    names.insert(names.end(), kWorldNames.begin(), kWorldNames.end());
    {
        CZipContainer zip;
        zip.OpenArchive(Win(ours), CZipContainer::Create);
        for (size_t i = 0; i < names.size(); ++i) {
            WriteBytes(src / names[i], Pattern(20000 + i, unsigned(i)));
            ASSERT_TRUE(zip.AddFileFromDisk(Win(src / names[i]), -1, false, 7, 65536)) << names[i];
        }
        zip.CloseArchive();
    }
    EXPECT_EQ(RunShell("unzip -tqq " + Quote(ours) + " >/dev/null"), 0);
    const std::string check = "import zipfile,sys\n"
                              "z=zipfile.ZipFile(sys.argv[1])\n"
                              "assert z.testzip() is None\n"
                              "names=z.namelist()\n"
                              "assert names==sys.argv[2:],names\n"
                              "for n in names: assert z.read(n)==open(n,'rb').read(),n\n"
                              "for i in z.infolist():\n"
                              "    assert bool(i.flag_bits&0x800)==(not i.filename.isascii()),i.filename\n";
    std::string args = Quote(ours);
    for (const std::string& name : names)
        args += " " + Quote(name);
    EXPECT_EQ(Python(check, args), 0);
    // Info-ZIP's unzip on Linux turns the names of a DOS host's entries from the OEM page into Latin-1
    // even when flag bit 11 says UTF-8: its non-ASCII names are judged through Python only.
    const auto unzipped = dir / "unzipped";
    ASSERT_EQ(RunShell("unzip -qq -o " + Quote(ours) + " -d " + Quote(unzipped)), 0);
    EXPECT_EQ(ReadBytes(unzipped / "Anna.wav"), ReadBytes(src / "Anna.wav"));

    // Python's: CP437 names from a DOS host, and its own UTF-8 names with bit 11.
    const auto theirs = dir / "theirs.zip";
    const std::string write =
        "import zipfile,sys\n"
        "class Dos(zipfile.ZipInfo):\n"
        "    def _encodeFilenameFlags(self):\n"
        "        return self.filename.encode('cp437'), self.flag_bits\n"
        "z=zipfile.ZipFile(sys.argv[1],'w',zipfile.ZIP_DEFLATED)\n"
        "for n,data in (('Zo\\u00eb.wav',b'zoe'),('Jos\\u00e9/J\\u00fcrgen.wav',b'jurgen'*99)):\n"
        "    i=Dos(n,(2024,5,6,7,8,10)); i.create_system=0; i.compress_type=zipfile.ZIP_DEFLATED\n"
        "    z.writestr(i,data)\n"
        "z.writestr('\\u00c9mile.wav',b'emile')\n"
        "z.writestr('\\u0141ukasz.wav',b'lukasz')\n"
        "z.close()\n";
    ASSERT_EQ(Python(write, Quote(theirs)), 0);
    const std::string bytes = ReadBytes(theirs);
    ASSERT_NE(bytes.find("Zo\x89.wav"), std::string::npos) << "the name is stored in CP437";
    ScratchDir out("zipaccent");
    ASSERT_EQ(ExtractAll(theirs, out.Path()), 0);
    EXPECT_EQ(ReadBytes(out / "Zo\xc3\xab.wav"), "zoe");
    std::string jurgen;
    for (int i = 0; i < 99; ++i)
        jurgen += "jurgen";
    EXPECT_EQ(ReadBytes(out / "Jos\xc3\xa9" / "J\xc3\xbcrgen.wav"), jurgen);
    EXPECT_EQ(ReadBytes(out / "\xc3\x89mile.wav"), "emile");
    EXPECT_EQ(ReadBytes(out / "\xc5\x81ukasz.wav"), "lukasz");

    // Grown by us, the way a transfer archive grows: Python still finds each local name equal to the
    // central one, the CP437 ones included.
    {
        CZipContainer zip;
        zip.OpenArchive(Win(theirs), CZipContainer::OpenExisting);
        ASSERT_TRUE(zip.AddFileFromDisk(Win(src / kWorldNames[2]), -1, false, 7, 65536));
        zip.CloseArchive();
    }
    const std::string grown = "import zipfile,sys\n"
                              "z=zipfile.ZipFile(sys.argv[1])\n"
                              "assert z.testzip() is None\n"
                              "assert z.namelist()==sys.argv[2:],z.namelist()\n";
    EXPECT_EQ(Python(grown, Quote(theirs) + " Zo\xc3\xab.wav " + Quote("Jos\xc3\xa9/J\xc3\xbcrgen.wav") +
                                " \xc3\x89mile.wav \xc5\x81ukasz.wav " + Quote(kWorldNames[2])),
              0);
    EXPECT_EQ(RunShell("unzip -tqq " + Quote(theirs) + " >/dev/null"), 0);
}
