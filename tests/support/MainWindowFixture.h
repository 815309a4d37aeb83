// The main window opened offscreen in a scratch Wine prefix, with a stand-in sockets layer and a
// scripted name service on 127.0.0.1; boxes and pickers are answered by a ModalScript.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainDlg.h"
#include "tests/support/MainWindowSteps.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScratchPrefix.h"
#include "tests/support/ScriptedHttpServer.h"
#include "tests/support/StandInSockets.h"
#include "tests/support/MainDlgTestAccess.h"

// A ListPackages reply document as the service writes it, listing names in the given order.
inline std::string ListPackagesReply(const std::vector<std::string>& names)
{
    std::string items;
    for (const std::string& name : names)
        items += "&lt;item&gt;&lt;displayname&gt;" + name + "&lt;/displayname&gt;&lt;/item&gt;";
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<string xmlns=\"urn:olv:webservice\">"
           "&lt;OLVServerCall ver=\"1.0\"&gt;&lt;rc&gt;0&lt;/rc&gt;&lt;rm&gt;" +
           items + "&lt;/rm&gt;&lt;/OLVServerCall&gt;</string>\r\n";
}

inline constexpr const char* kServicePath = "/olvwebservice/default.asmx/ProcessReq";

class MainWindowTest : public ::testing::Test, protected MainWindowSteps
{
protected:
    MainWindowTest() : m_sockets(sockets) { ServeNames({}); }
    ~MainWindowTest() override { CloseWindow(); }

    void ServeNames(const std::vector<std::string>& names)
    {
        service.Reply(kServicePath, 200, ListPackagesReply(names));
    }

    void PlaceVelmora(const std::string& folderBelowC = "Program Files\\Velmora")
    {
        std::filesystem::path folder = prefix.DriveC();
        std::string part;
        for (char c : folderBelowC + "\\") {
            if (c == '\\') {
                folder /= part;
                part.clear();
            } else {
                part += c;
            }
        }
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "Velmora.exe") << "MZ";
    }

    void Open()
    {
        AppOptions options;
        options.serviceHost = service.HostPort();
        options.probeHost = "probe.zentrimo.test";
        dlg = std::make_unique<CMainDlg>(options);
        ASSERT_TRUE(dlg->Create(IDD_MAIN_DIALOG));
    }

    std::vector<std::string> ListItems()
    {
        std::vector<std::string> items;
        for (int i = 0; i < Peek(*dlg).m_listNames.GetItemCount(); ++i)
            items.push_back(Peek(*dlg).m_listNames.GetItemText(i, 0));
        return items;
    }

    ScratchPrefix prefix;
    ScriptedHttpServer service;
    StandInSockets sockets;
    ModalScript script;

private:
    CScopedSocketsLayer m_sockets;
};
