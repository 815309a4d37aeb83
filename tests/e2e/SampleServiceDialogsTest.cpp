// The dialogs that talk to the service, on both builds: the proxy login in front of a real squid and
// the request form answered by the real service.
#include "tests/e2e/DialogAnswers.h"
#include "tests/support/SampleRoadFixture.h"

#include <optional>

#include "platform/inet/ProxyCredentialCache.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

const char* const kRejected =
    "Your Proxy server is unable to authenticate you. Please check that your username and "
    "password are correct, and attempt the connection again or contact your technical "
    "support.";

class ProxyLoginRoadTest : public SampleRoadTest
{
protected:
    void SetUp() override
    {
        // The accepted logins live as long as the process: none may come from an earlier test.
        inet::ProcessProxyCredentials().Clear();
        computer.InstallVelmora();
        computer.UseProxy(proxy.HostPort());
    }
    void TearDown() override { inet::ProcessProxyCredentials().Clear(); }

    // The next modal run is the proxy login, answered with the proxy's user and this password.
    void ExpectLogin(const std::string& password)
    {
        script.ExpectDialog(IDD_PROXY_LOGIN, LogIn(proxy.User(), password));
    }

    LoginProxy proxy;
};

TEST_F(ProxyLoginRoadTest, OneLoginCarriesTheListAndEveryInstall)
{
    ExpectLogin(proxy.Password());
    Open(true);
    ASSERT_TRUE(script.Finished());
    ASSERT_EQ(service.Names().size(), Peek(*dlg).m_nameList.size());
    const std::vector<std::string> names = {service.Names().front(), service.Names().back()};
    for (const std::string& name : names) {
        Install(name);
        ExpectInstalled(name);
    }
    EXPECT_EQ(std::vector<UINT>{IDD_PROXY_LOGIN}, script.dialogs) << "one login for the whole run";
}

TEST_F(ProxyLoginRoadTest, WrongPasswordIsRefusedWithTheProxysBox)
{
    ExpectLogin("wrong");
    script.ExpectBox(kRejected, "Connection Problem");
    Open(true);
    ASSERT_TRUE(script.Finished());
    EXPECT_TRUE(Peek(*dlg).m_nameList.empty());
}

TEST_F(SampleRoadTest, RequestFormIsAnsweredByTheService)
{
    computer.InstallVelmora();
    Open(true);
    Form form{"Zoë", "ZO-ee", "Mira Stone", "", "two dots"};
    script.ExpectDialog(IDD_REQUEST_NAME, FillForm(form, IDOK));
    script.ExpectBox("Please fill out all the required fields.", "Incomplete request");
    Peek(*dlg).m_btnRequestNewName.Click();
    ASSERT_TRUE(script.Finished());

    form.email = "mira@example.org";
    script.ExpectDialog(IDD_REQUEST_NAME, FillForm(form, IDOK));
    // The thanks are the service's own reply: it has taken the request.
    script.ExpectBox("Thank you, Mira Stone.  Your request to record the name \"Zoë\" has been received.",
                     AfxGetAppName());
    Peek(*dlg).m_btnRequestNewName.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_TRUE(Peek(*dlg).m_requestForm.strRecordName.empty()) << "a sent request is not offered again";
}

} // namespace
