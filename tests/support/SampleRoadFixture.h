// The main window on a scratch computer, talking to the service's sample catalogue over 127.0.0.1;
// boxes and dialogs answered by a ModalScript. The same on both builds.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CMainDlg.h"
#include "tests/support/ArchiveEntries.h"
#include "tests/support/MainWindowSteps.h"
#include "tests/support/ModalScript.h"
#include "tests/support/SamplePeers.h"
#include "tests/support/StandInSockets.h"
#include "tests/support/MainDlgTestAccess.h"

class SampleRoadTest : public ::testing::Test, protected MainWindowSteps
{
protected:
    SampleRoadTest() : m_sockets(sockets) {}
    ~SampleRoadTest() override { CloseWindow(); }

    // The window before any choice, started from the computer's program folder.
    void OpenWindow(const std::string& serviceHost)
    {
        AppOptions options;
        options.serviceHost = serviceHost;
        options.probeHost = "probe.zentrimo.test";
        dlg = std::make_unique<CMainDlg>(options);
        ASSERT_TRUE(dlg->Create(IDD_MAIN_DIALOG));
        Peek(*dlg).m_strModuleFolder = computer.ProgramLocation();
    }
    void OpenWindow() { OpenWindow(service.HostPort()); }

    // The window in the given scenario.
    void Open(bool web, const std::string& serviceHost)
    {
        OpenWindow(serviceHost);
        if (web)
            Peek(*dlg).m_btnScenarioWeb.Click();
        else
            Peek(*dlg).m_btnScenarioOffline.Click();
        ASSERT_EQ(web, Peek(*dlg).m_bWebScenario);
    }
    void Open(bool web) { Open(web, service.HostPort()); }

    // Types the name and presses the scenario's button; the box that ends it must be this one.
    void Install(const std::string& name)
    {
        Type(name);
        script.ExpectBox("Name files installed.", "Success");
        Peek(*dlg).m_btnInstall.Click();
        ASSERT_TRUE(script.Finished()) << name;
    }
    void Save(const std::string& name)
    {
        Type(name);
        script.ExpectBox("Name files downloaded.", "Success");
        Peek(*dlg).m_btnDownloadSave.Click();
        ASSERT_TRUE(script.Finished()) << name;
    }

    // The name's recordings stand in the names folder exactly as Python unpacks them from its package.
    void ExpectInstalled(const std::string& name)
    {
        for (const std::string& file : {name + ".wav", name + "^.wav"}) {
            const std::string reference = FileBytes(service.Reference() / Utf8Path(file));
            ASSERT_FALSE(reference.empty()) << file;
            const std::string installed = FileBytes(computer.NamesFolder() / Utf8Path(file));
            EXPECT_TRUE(reference == installed)
                << file << ": " << installed.size() << " bytes of " << reference.size();
        }
    }

    // Entry names of an archive in the program's folder, in index order.
    std::vector<std::string> Entries(const std::string& archiveName)
    {
        return ArchiveEntries(computer.ProgramLocation() + archiveName);
    }

    SampleService service;
    ScratchComputer computer;
    StandInSockets sockets;
    ModalScript script;

private:
    CScopedSocketsLayer m_sockets;
};
