// The main window's service members on the dialog layer: boxes, the login dialog, downloads.
#include <gtest/gtest.h>

#include <fstream>

#include "app/CMainDlg.h"
#include "platform/inet/ProxyCredentialCache.h"
#include "platform/ui/CButton.h"
#include "platform/ui/MessageBox.h"
#include "service/ServiceRequest.h"
#include "tests/service/ServiceTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedHttpServer.h"
#include "tests/support/SquidProxy.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

constexpr const char kServicePath[] = "/olvwebservice/default.asmx/ProcessReq";

AppOptions OptionsFor(const ScriptedHttpServer& server)
{
    AppOptions options;
    options.serviceHost = server.HostPort();
    return options;
}

void Login(CDialog& d, const std::string& user, const std::string& password)
{
    d.SetDlgItemText(IDC_PROXY_USER, user);
    d.SetDlgItemText(IDC_PROXY_PASSWORD, password);
    static_cast<CButton*>(d.GetDlgItem(IDOK))->Click();
}

class MainDlgService : public testing::Test
{
protected:
    // Logins a proxy accepted stay for the process: none may come from an earlier test.
    MainDlgService() { inet::ProcessProxyCredentials().Clear(); }

    ScratchPrefix prefix;
    ScriptedHttpServer server;
    CMainDlg dlg{OptionsFor(server)};
};

TEST_F(MainDlgService, ServerCallReachesTheServiceHostFromTheCommandLine)
{
    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>0</rc><rm>ok</rm><url>a/b/c.zip</url>"));
    const std::string reply = dlg.ServerCall(service::DLRequest("Tom"));
    EXPECT_EQ(CMainDlg::XmlValue(reply, "url", "Read", ""), "a/b/c.zip");
}

TEST_F(MainDlgService, FailuresShowTheirBoxesWithTheRightCaptionAndIcon)
{
    server.Redirect(kServicePath, 303, "");
    ModalScript script;
    script.ExpectBox("Error: Site redirects with no new location", AfxGetAppName(),
                     MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(dlg.ServerCall(service::ListPackagesRequest()), "");
    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>2</rc><rm>busy</rm>"));
    script.ExpectBox("Error 2: busy", AfxGetAppName(), MB_OK);
    EXPECT_EQ(dlg.ServerCall(service::ListPackagesRequest()), "");
    server.Reply(kServicePath, 500, "");
    script.ExpectBox("Web Processing Error #500.", "Connection Problem", MB_OK);
    EXPECT_EQ(dlg.ServerCall(service::ListPackagesRequest()), "");
    EXPECT_TRUE(script.Finished());
}

TEST_F(MainDlgService, ProxyLoginFillsTheWindowsCredentialsOnce)
{
    SquidProxy proxy;
    UseProxy(prefix, proxy.HostPort());
    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>0</rc><rm>ok</rm>"));
    ModalScript script;
    script.ExpectDialog(IDD_PROXY_LOGIN, [&](CDialog& d) { Login(d, proxy.User(), proxy.Password()); });
    EXPECT_NE(dlg.ServerCall(service::ListPackagesRequest()), "");
    EXPECT_EQ(Peek(dlg).m_strProxyUser, proxy.User());
    EXPECT_EQ(Peek(dlg).m_strProxyPassword, proxy.Password());
    EXPECT_NE(dlg.ServerCall(service::ListPackagesRequest()), "");
    EXPECT_EQ(script.dialogs.size(), 1u);
    EXPECT_TRUE(script.boxes.empty());
}

TEST_F(MainDlgService, WrongCredentialsAreRejectedTwiceWithOneDialog)
{
    SquidProxy proxy;
    UseProxy(prefix, proxy.HostPort());
    const std::string rejected =
        "Your Proxy server is unable to authenticate you. Please check that your username and password are "
        "correct, and attempt the connection again or contact your technical support.";
    ModalScript script;
    script.ExpectDialog(IDD_PROXY_LOGIN, [&](CDialog& d) { Login(d, proxy.User(), "nope"); });
    script.ExpectBox(rejected, "Connection Problem");
    script.ExpectBox(rejected, "Connection Problem");
    EXPECT_EQ(dlg.ServerCall(service::ListPackagesRequest()), "");
    EXPECT_EQ(dlg.ServerCall(service::ListPackagesRequest()), "");
    EXPECT_TRUE(script.Finished());
}

TEST_F(MainDlgService, DownloadFileWritesThePackageAndFailsQuietly)
{
    prefix.MapDrive('d', "dl");
    server.Reply("/Tom.zip", 200, "PK\x03\x04 package");
    ModalScript script;
    EXPECT_TRUE(dlg.DownloadFile(server.HostPort() + "/files/Tom.zip", "D:\\Temp.zip"));
    std::ifstream in(prefix.Root() / "dl" / "Temp.zip", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "PK\x03\x04 package");
    EXPECT_FALSE(dlg.DownloadFile(server.HostPort() + "/files/None.zip", "D:\\None.zip"));
    EXPECT_TRUE(script.boxes.empty());
}

TEST_F(MainDlgService, NameRequestShowsTheAnswerUnderTheApplicationName)
{
    // The form as typed by the user; the request command sends it through the main window's transport.
    const auto fill = [](CDialog& d) {
        d.SetDlgItemText(IDC_RECORD_NAME, "Ysolde");
        d.SetDlgItemText(IDC_YOUR_NAME, "Ann");
        d.SetDlgItemText(IDC_EMAIL, "a@b.c");
        d.OnOK();
    };
    Peek(dlg).m_bConnected = true;
    server.Reply(kServicePath, 404, "");
    ModalScript script;
    script.ExpectDialog(IDD_REQUEST_NAME, fill);
    script.ExpectBox("Web Processing Error #404.", "Connection Problem");
    dlg.OnRequestNewName();
    EXPECT_EQ(Peek(dlg).m_requestForm.strRecordName, "Ysolde"); // kept for another try

    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>0</rc><rm>Request received.</rm>"));
    script.ExpectDialog(IDD_REQUEST_NAME, fill);
    script.ExpectBox("Request received.", AfxGetAppName());
    dlg.OnRequestNewName();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(Peek(dlg).m_requestForm.strRecordName, "");
    const auto requests = server.Requests();
    ASSERT_FALSE(requests.empty());
    const auto sent = requests.back().params.find("clientXMLString");
    ASSERT_NE(sent, requests.back().params.end());
    EXPECT_EQ(
        sent->second,
        "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod><op>NameRequest</op><record>Ysolde"
        "</record><request>Ann</request><email>a@b.c</email><pron></pron><comments></comments>");
}

} // namespace
