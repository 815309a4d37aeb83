// The WinINet layer under Wine through a real squid with Basic authentication (the LinuxSquid fixture)
// to the Linux zentrimo-service: a 407 reaches the caller, credentials set as options pass on resending.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/inet/CInternetException.h"
#include "platform/inet/CInternetSession.h"

namespace {

// The port a fixture left in its folder, named by an environment variable (a host path under Z:).
unsigned PortIn(const char* variable)
{
    const char* dir = std::getenv(variable);
    if (!dir)
        return 0;
    std::ifstream in(std::string("Z:") + dir + "/port");
    unsigned port = 0;
    in >> port;
    return port;
}

class WinInetProxy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        servicePort = PortIn("ZENTRIMO_LINUX_SERVICE_DIR");
        proxyPort = PortIn("ZENTRIMO_LINUX_SQUID_DIR");
        ASSERT_NE(servicePort, 0u) << "the LinuxService fixture left no port";
        ASSERT_NE(proxyPort, 0u) << "the LinuxSquid fixture left no port";
        session = std::make_unique<CInternetSession>(nullptr, 1, INTERNET_OPEN_TYPE_PROXY,
                                                     ("127.0.0.1:" + std::to_string(proxyPort)).c_str());
        // "localhost", not 127.0.0.1: Wine's connection pool may hand a proxied request a direct
        // keep-alive connection to the same host and port.
        connection = session->GetHttpConnection("localhost", static_cast<INTERNET_PORT>(servicePort));
        file = connection->OpenRequest(nullptr, "/olvwebservice/default.asmx/ProcessReq?clientXMLString="
                                                "<comver>1.0</comver><op>ListPackages</op>");
    }

    DWORD Status() const
    {
        DWORD status = 0;
        EXPECT_TRUE(file->QueryInfoStatusCode(status));
        return status;
    }

    bool SetCredential(DWORD option, const char* text)
    {
        return file->SetOption(option, text, static_cast<DWORD>(std::strlen(text) + 1));
    }

    unsigned servicePort = 0, proxyPort = 0;
    std::unique_ptr<CInternetSession> session;
    std::unique_ptr<CHttpConnection> connection;
    std::unique_ptr<CHttpFile> file;
};

} // namespace

TEST_F(WinInetProxy, A407ReachesTheCallerAndCredentialsPassOnResending)
{
    file->SendRequest();
    EXPECT_EQ(Status(), 407u) << "the layer never answers proxy authentication by itself";
    ASSERT_TRUE(SetCredential(INTERNET_OPTION_PROXY_USERNAME, "zuser"));
    ASSERT_TRUE(SetCredential(INTERNET_OPTION_PROXY_PASSWORD, "zpass"));
    file->SendRequest();
    EXPECT_EQ(Status(), 200u);
    std::string body, line;
    while (file->ReadString(line))
        body += line;
    EXPECT_NE(body.find("&lt;rc&gt;"), std::string::npos)
        << "the service answered through the proxy: " << body;
}

TEST_F(WinInetProxy, WrongCredentialsGive407Again)
{
    ASSERT_TRUE(SetCredential(INTERNET_OPTION_PROXY_USERNAME, "zuser"));
    ASSERT_TRUE(SetCredential(INTERNET_OPTION_PROXY_PASSWORD, "wrong"));
    file->SendRequest();
    EXPECT_EQ(Status(), 407u);
}

TEST_F(WinInetProxy, CredentialsBasicCannotCarryAreRefusedAsOnLinux)
{
    EXPECT_FALSE(SetCredential(INTERNET_OPTION_PROXY_USERNAME, "z:user"));
    EXPECT_FALSE(SetCredential(INTERNET_OPTION_PROXY_PASSWORD, "line\nbreak"));
    EXPECT_FALSE(file->SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, "x", 2)) << "not a request option here";
}
