// `cmake --install` into a staging folder: what lands where, and the desktop, software-centre and service
// files as their own validators see them.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>
#include <csignal>
#include <cstdlib>
#include <set>

#include "res/ResourceParts.h"
#include "tests/packaging/Shell.h"
#include "tests/support/ScratchDir.h"

using namespace packagingtest;
namespace fs = std::filesystem;

namespace {

const std::string kAppId = ZENTRIMO_APP_ID;
const char* const kPrograms[] = {"Zentrimo", "zentrimo-names", "zentrimo-service", "zentrimo-zip"};

class InstallTree : public ::testing::Test
{
protected:
    // One install serves every test: it is the slow step, and no test changes the tree.
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<ScratchDir>("install");
        s_install = RunShell("DESTDIR=" + Quote(s_dir->Path()) + " " + ZENTRIMO_CMAKE + " --install " +
                             Quote(ZENTRIMO_BINARY_DIR) + " --prefix /usr");
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    void SetUp() override { ASSERT_EQ(s_install.status, 0) << s_install.text; }

    static fs::path Root() { return s_dir->Path(); }
    static fs::path Usr(const std::string& relative) { return Root() / "usr" / relative; }

    static std::set<std::string> InstalledFiles()
    {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(Root()))
            if (!entry.is_directory())
                files.insert(fs::relative(entry.path(), Root()).string());
        return files;
    }

    // The value of KEY= in the text of a desktop entry or unit file.
    static std::string Key(const std::string& text, const std::string& key)
    {
        std::smatch match;
        const std::regex line("(^|\n)" + key + "=([^\n]*)");
        return std::regex_search(text, match, line) ? match[2].str() : std::string();
    }

    static inline std::unique_ptr<ScratchDir> s_dir;
    static inline Output s_install;
};

} // namespace

TEST_F(InstallTree, ThreeProgramsInBinEachWithItsManual)
{
    for (const char* program : kPrograms) {
        const fs::path binary = Usr("bin") / program;
        ASSERT_TRUE(fs::is_regular_file(binary)) << program;
        EXPECT_NE(fs::status(binary).permissions() & fs::perms::others_exec, fs::perms::none) << program;
        EXPECT_TRUE(fs::is_regular_file(Usr("share/man/man1") / (std::string(program) + ".1"))) << program;
    }
    std::set<std::string> bin;
    for (const auto& entry : fs::directory_iterator(Usr("bin")))
        bin.insert(entry.path().filename().string());
    EXPECT_EQ(bin, std::set<std::string>(std::begin(kPrograms), std::end(kPrograms)))
        << "nothing else in bin/";
}

TEST_F(InstallTree, NothingOutsideUsrAndNothingTheProgramsWrite)
{
    for (const std::string& file : InstalledFiles()) {
        EXPECT_TRUE(file.starts_with("usr/"))
            << file << ": /etc and /var belong to the administrator and the service";
        const std::string name = fs::path(file).filename().string();
        for (const char* written : {"Temp.zip", "VMRNames.zip", "requests.db"})
            EXPECT_NE(name, written) << file;
        EXPECT_FALSE(name.ends_with(".ttf") || name.ends_with(".fon"))
            << file << ": the dialog font comes from fonts-wine";
        EXPECT_FALSE(name.ends_with(".a") || name.ends_with(".h")) << file << ": no development files";
    }
    EXPECT_FALSE(fs::exists(Root() / "var"));
}

TEST_F(InstallTree, ThemeIconsShowTheWindowIconPixels)
{
    const ui::IconResource& icon = ZentrimoIcon();
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const QImage image(
            QString::fromStdString(Usr("share/icons/hicolor/" + folder + "/apps/" + kAppId + ".png")));
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.width(), size);
        ASSERT_EQ(image.height(), size);
        // The picture each size is enlarged from: the largest one whose width divides it.
        const ui::IconImage* source = nullptr;
        for (const ui::IconImage& candidate : icon.images)
            if (size % candidate.width == 0 && (!source || candidate.width > source->width))
                source = &candidate;
        ASSERT_NE(source, nullptr);
        const int scale = size / source->width;
        int differing = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const char c = source->rows[static_cast<size_t>(y / scale)][x / scale];
                const QRgb pixel = image.pixel(x, y);
                if (c == '.') {
                    differing += qAlpha(pixel) != 0;
                } else {
                    const DWORD rgb = icon.palette[static_cast<size_t>(c <= '9' ? c - '0' : c - 'a' + 10)];
                    differing += qAlpha(pixel) != 255 || (pixel & 0xFFFFFFu) != rgb;
                }
            }
        }
        EXPECT_EQ(differing, 0);
    }
    const fs::path scalable = Usr("share/icons/hicolor/scalable/apps/" + kAppId + ".svg");
    ASSERT_TRUE(fs::is_regular_file(scalable));
    EXPECT_NE(ReadText(scalable).find("<svg"), std::string::npos);
}

TEST_F(InstallTree, DesktopEntryValidatesAndStartsTheInstalledProgram)
{
    const fs::path entry = Usr("share/applications/" + kAppId + ".desktop");
    ASSERT_TRUE(fs::is_regular_file(entry));
    const Output lint = RunShell("desktop-file-validate " + Quote(entry));
    EXPECT_EQ(lint.status, 0) << lint.text;
    EXPECT_EQ(lint.text.find("error"), std::string::npos) << lint.text;

    const std::string text = ReadText(entry);
    const std::string exec = Key(text, "Exec");
    EXPECT_TRUE(fs::is_regular_file(Usr("bin") / exec.substr(0, exec.find(' ')))) << "Exec=" << exec;
    EXPECT_TRUE(fs::is_regular_file(Usr("share/icons/hicolor/32x32/apps/" + Key(text, "Icon") + ".png")));
}

TEST_F(InstallTree, MetainfoValidatesAndLaunchesTheDesktopEntry)
{
    const fs::path metainfo = Usr("share/metainfo/" + kAppId + ".metainfo.xml");
    ASSERT_TRUE(fs::is_regular_file(metainfo));
    const Output lint = RunShell("appstreamcli validate --no-net --pedantic " + Quote(metainfo));
    EXPECT_EQ(lint.status, 0) << lint.text;
    const std::string text = ReadText(metainfo);
    EXPECT_NE(text.find("<launchable type=\"desktop-id\">" + kAppId + ".desktop</launchable>"),
              std::string::npos);
    for (const char* program : kPrograms)
        EXPECT_NE(text.find("<binary>" + std::string(program) + "</binary>"), std::string::npos) << program;
}

TEST_F(InstallTree, ServiceUnitVerifiesAndItsCommandServesFromTheStateFolder)
{
    const fs::path unit = Usr("lib/systemd/system/zentrimo-service.service");
    ASSERT_TRUE(fs::is_regular_file(unit));
    const std::string text = ReadText(unit);
    const std::string exec = Key(text, "ExecStart");
    EXPECT_TRUE(exec.starts_with("/usr/bin/zentrimo-service ")) << exec;
    EXPECT_NE(exec.find("--catalog /var/lib/zentrimo-service/catalog"), std::string::npos) << exec;
    EXPECT_NE(exec.find("--db /var/lib/zentrimo-service/requests.db"), std::string::npos) << exec;
    EXPECT_EQ(Key(text, "StateDirectory"), "zentrimo-service zentrimo-service/catalog");
    EXPECT_EQ(Key(text, "User"), "zentrimo");
    for (const char* hardening :
         {"NoNewPrivileges=yes", "ProtectSystem=strict", "ProtectHome=yes", "PrivateTmp=yes"})
        EXPECT_NE(text.find(std::string("\n") + hardening + "\n"), std::string::npos) << hardening;

    // Verified as a copy that runs the staged program, with the staged manuals for its Documentation= line.
    ScratchDir copy("unit");
    std::string staged = text;
    staged.replace(staged.find("ExecStart=/usr/bin/"), 19, "ExecStart=" + Usr("bin").string() + "/");
    {
        std::ofstream(copy / "zentrimo-service.service") << staged;
    }
    const Output verify = RunShell("MANPATH=" + Quote(Usr("share/man")) + " systemd-analyze verify " +
                                   Quote(copy / "zentrimo-service.service"));
    EXPECT_EQ(verify.status, 0) << verify.text;
    EXPECT_EQ(verify.text, "") << "no warning either";

    // The unit's own command line, with the staged program, a scratch state folder and a free port.
    ScratchDir state("state");
    std::string command = exec;
    auto replace = [&](const std::string& from, const std::string& to) {
        for (size_t at = command.find(from); at != std::string::npos; at = command.find(from, at + to.size()))
            command.replace(at, from.size(), to);
    };
    replace("/usr/bin/", Usr("bin").string() + "/");
    replace("/var/lib/zentrimo-service", state.Path().string());
    replace("127.0.0.1:8642", "127.0.0.1:0");
    FILE* pipe = popen(("echo $$; exec " + command + " 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[256] = {};
    const long pid = std::fgets(line, sizeof line, pipe) ? std::atol(line) : 0;
    const std::string first = std::fgets(line, sizeof line, pipe) ? line : "";
    if (pid > 0)
        kill(static_cast<pid_t>(pid), SIGTERM);
    pclose(pipe);
    EXPECT_TRUE(first.starts_with("listening on 127.0.0.1:")) << command << "\n" << first;
    EXPECT_TRUE(fs::is_directory(state / "catalog"));
    EXPECT_TRUE(fs::is_regular_file(state / "requests.db"));
}
