// The web road behind a proxy that asks for a login: one login carries the list, installs and saves.
#include <optional>
#include <vector>

#include "platform/inet/ProxyCredentialCache.h"
#include "tests/e2e/DialogAnswers.h"
#include "tests/e2e/NameCommandsFixture.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

const char* const kRejected =
    "Your Proxy server is unable to authenticate you. Please check that your username and "
    "password are correct, and attempt the connection again or contact your technical "
    "support.";

class ProxyRoadTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        // The accepted logins live as long as the process: none may come from an earlier test.
        inet::ProcessProxyCredentials().Clear();
        names = PlaceVelmora();
        Publish("Anna", 10);
        Publish("Bob", 20);
        StartService();
        computer.UseProxy(proxy.HostPort());
    }
    void TearDown() override { inet::ProcessProxyCredentials().Clear(); }

    // The next modal run is the proxy login, answered with the proxy's user and this password.
    void ExpectLogin(const std::string& password)
    {
        script.ExpectDialog(IDD_PROXY_LOGIN, LogIn(proxy.User(), password));
    }

    void Install(const std::string& name)
    {
        Type(name);
        script.ExpectBox("Name files installed.", "Success");
        Peek(*dlg).m_btnInstall.Click();
        ASSERT_TRUE(script.Finished()) << name;
    }

    // Both recordings of the name stand in the names folder exactly as they were packaged.
    void ExpectInstalled(const std::string& name)
    {
        EXPECT_EQ(ReadText(work / (name + "-play.wav")), ReadText(names / (name + ".wav"))) << name;
        EXPECT_EQ(ReadText(work / (name + "-list.wav")), ReadText(names / (name + "^.wav"))) << name;
    }

    std::optional<inet::ProxyCredentials> Cached() const
    {
        return inet::ProcessProxyCredentials().Find(proxy.HostPort());
    }

    LoginProxy proxy;
    std::filesystem::path names;
};

TEST_F(ProxyRoadTest, OneLoginCarriesTheListTwoInstallsAndASave)
{
    ExpectLogin(proxy.Password());
    Open(true);
    ASSERT_TRUE(script.Finished());
    ASSERT_EQ((std::vector<std::string>{"Anna", "Bob"}), Peek(*dlg).m_nameList);

    Install("Anna");
    Install("bob");
    ExpectInstalled("Anna");
    ExpectInstalled("Bob");
    EXPECT_FALSE(std::filesystem::exists(Tools() / "Temp.zip"));

    Peek(*dlg).m_btnScenarioOffline.Click();
    Type("Anna");
    script.ExpectBox("Name files downloaded.", "Success");
    Peek(*dlg).m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(ReadText(Package("Anna")), ReadText(Tools() / "VMRNames.zip"));

    EXPECT_EQ(std::vector<UINT>{IDD_PROXY_LOGIN}, script.dialogs) << "one login for the whole run";
    EXPECT_EQ(3u, script.boxes.size()) << "no failure box on the way";
}

TEST_F(ProxyRoadTest, WrongPasswordIsRefusedAndForgottenTheRightOneServesLaterDownloads)
{
    ExpectLogin("wrong");
    script.ExpectBox(kRejected, "Connection Problem");
    Open(true);
    ASSERT_TRUE(script.Finished());
    EXPECT_TRUE(Peek(*dlg).m_nameList.empty());
    EXPECT_EQ(std::nullopt, Cached()) << "a refused password is never kept";

    // The window keeps refused credentials for its run: the user starts the program again.
    dlg->DestroyWindow();
    dlg.reset();
    ExpectLogin(proxy.Password());
    Open(true);
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ((inet::ProxyCredentials{proxy.User(), proxy.Password()}), Cached());

    Install("Anna");
    Install("Bob");
    ExpectInstalled("Anna");
    ExpectInstalled("Bob");
    EXPECT_EQ((std::vector<UINT>{IDD_PROXY_LOGIN, IDD_PROXY_LOGIN}), script.dialogs)
        << "no login after the accepted one";
}

} // namespace
