// The main window on a scratch computer, talking to a zentrimo-service on 127.0.0.1 over a catalogue
// the test publishes into; the same on both builds.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainDlg.h"
#include "zip/CZipException.h"
#include "tests/support/ArchiveEntries.h"
#include "tests/support/CatalogueService.h"
#include "tests/support/MainWindowSteps.h"
#include "tests/support/ModalScript.h"
#include "tests/support/SamplePeers.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/StandInSockets.h"
#include "tests/support/WaveClip.h"
#include "tests/support/MainDlgTestAccess.h"

inline std::string ReadText(const std::filesystem::path& path)
{
    return FileBytes(path);
}

// The box of a download of name that does not read as a ZIP archive, with the ZIP component's own words
// for the error.
inline std::string DamagedDownloadBox(const std::string& name, int zipError)
{
    return "The package downloaded for " + name + " is damaged (" +
           CZipException(zipError).GetErrorDescription() + ").  Please try again.";
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
        service.Publish(name, {work / (name + "-play.wav"), work / (name + "-list.wav")});
    }
    std::filesystem::path Package(const std::string& name) { return service.Package(name); }

    // Package addresses name the service itself, or with deadPackageHost a port where nothing listens.
    void StartService(bool deadPackageHost = false) { service.Start(deadPackageHost); }

    // Velmora installed on the computer; its names folder.
    std::filesystem::path PlaceVelmora()
    {
        computer.InstallVelmora();
        return computer.NamesFolder();
    }

    // The window in the given scenario, started from the computer's program folder (Tools()).
    void Open(bool web)
    {
        AppOptions options;
        options.serviceHost = service.Started() ? service.HostPort() : "127.0.0.1:1";
        options.probeHost = "probe.zentrimo.test";
        dlg = std::make_unique<CMainDlg>(options);
        ASSERT_TRUE(dlg->Create(IDD_MAIN_DIALOG));
        Peek(*dlg).m_strModuleFolder = computer.ProgramLocation();
        if (web)
            Peek(*dlg).m_btnScenarioWeb.Click();
        else
            Peek(*dlg).m_btnScenarioOffline.Click();
        ASSERT_EQ(web, Peek(*dlg).m_bWebScenario);
    }

    // The program's own folder, and a file in it as the program writes it.
    std::filesystem::path Tools() const { return computer.ProgramFolder(); }
    std::string InTools(const std::string& name) const { return computer.ProgramLocation() + name; }

    // Entry names of an archive, in index order.
    static std::vector<std::string> Entries(const std::filesystem::path& archive)
    {
        return ArchiveEntries(WindowsPath(archive));
    }

    ScratchDir work{"e2e"};
    ScratchComputer computer;
    CatalogueService service;
    StandInSockets sockets;
    std::map<std::string, WaveClip> clips;
    ModalScript script;

private:
    CScopedSocketsLayer m_sockets;
};
