// The main window offscreen in a scratch prefix, talking to a real zentrimo-service on 127.0.0.1.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainDlg.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ArchiveEntries.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/WaveClip.h"
#include "tests/support/ServiceProcess.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchPrefix.h"

inline std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class NameCommandsTest : public ::testing::Test, protected MainWindowSteps
{
protected:
    NameCommandsTest() : m_sockets(sockets) {}
    ~NameCommandsTest() override { CloseWindow(); }

    // Publishes a name with two recordings (N.wav, N^.wav) of distinct sound.
    void Publish(const std::string& name, std::uint32_t seed)
    {
        const WaveClip play = WaveClip::Make(1, 8000, 8, 800, seed);
        const WaveClip list = WaveClip::Make(1, 8000, 8, 600, seed + 1);
        play.Write(work / (name + "-play.wav"));
        list.Write(work / (name + "-list.wav"));
        clips[name] = play;
        ASSERT_EQ(0, ServiceProcess::RunToEnd({"publish", "--catalog", (work / "catalog").string(), name,
                                               (work / (name + "-play.wav")).string(),
                                               (work / (name + "-list.wav")).string()}));
    }
    std::filesystem::path Package(const std::string& name) { return work / "catalog" / (name + ".zip"); }

    void StartService()
    {
        service = std::make_unique<ServiceProcess>(
            std::vector<std::string>{"--listen", "127.0.0.1:0", "--catalog", (work / "catalog").string(),
                                     "--db", (work / "requests.db").string(), "--threads", "2"},
            work / "service.log");
    }

    // C:\Program Files\Velmora with its placeholder program.
    std::filesystem::path PlaceVelmora()
    {
        const auto folder = prefix.DriveC() / "Program Files" / "Velmora";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "Velmora.exe") << "MZ";
        return folder / "Speakers" / "Ysmerel" / "Names";
    }

    // The window in the given scenario, with the program's own folder at C:\Tools\.
    void Open(bool web)
    {
        std::filesystem::create_directories(prefix.DriveC() / "Tools");
        AppOptions options;
        options.serviceHost = service ? "127.0.0.1:" + std::to_string(service->Port()) : "127.0.0.1:1";
        options.probeHost = "probe.zentrimo.test";
        dlg = std::make_unique<CMainDlg>(options);
        ASSERT_TRUE(dlg->Create(IDD_MAIN_DIALOG));
        dlg->m_strModuleFolder = "C:\\Tools\\";
        if (web)
            dlg->m_btnScenarioWeb.Click();
        else
            dlg->m_btnScenarioOffline.Click();
        ASSERT_EQ(web, dlg->m_bWebScenario);
    }

    // Entry names of an archive, in index order.
    static std::vector<std::string> Entries(const std::filesystem::path& archive)
    {
        return ArchiveEntries(winpath::ToWindows(archive));
    }

    ScratchDir work{"e2e"};
    ScratchPrefix prefix;
    StandInSockets sockets;
    std::map<std::string, WaveClip> clips;
    std::unique_ptr<ServiceProcess> service;
    ModalScript script;

private:
    CScopedSocketsLayer m_sockets;
};
