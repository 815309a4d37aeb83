// The WinINet layer under Wine against a real zentrimo-service on the Linux side of the loopback
// (started by the LinuxService fixture of ctest): statuses, headers, line and block reads, error numbers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/inet/CInternetException.h"
#include "platform/inet/CInternetSession.h"

namespace {

// The port the fixture left in its folder (ZENTRIMO_LINUX_SERVICE_DIR, a host path under Z:).
INTERNET_PORT ServicePort()
{
    const char* dir = std::getenv("ZENTRIMO_LINUX_SERVICE_DIR");
    if (!dir)
        return 0;
    std::ifstream in(std::string("Z:") + dir + "/port");
    unsigned port = 0;
    in >> port;
    return static_cast<INTERNET_PORT>(port);
}

const std::string kListPackages =
    "/olvwebservice/default.asmx/ProcessReq?clientXMLString="
    "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod><op>ListPackages</op>";

class WinInetService : public ::testing::Test
{
protected:
    void SetUp() override
    {
        port = ServicePort();
        ASSERT_NE(port, 0) << "the LinuxService fixture left no port";
    }

    std::unique_ptr<CHttpFile> Get(CInternetSession& session, const std::string& object)
    {
        connection = session.GetHttpConnection("127.0.0.1", port);
        std::unique_ptr<CHttpFile> file =
            connection->OpenRequest(nullptr, object, nullptr, 1, nullptr, nullptr, INTERNET_FLAG_RELOAD);
        file->SendRequest();
        return file;
    }

    INTERNET_PORT port = 0;
    std::unique_ptr<CHttpConnection> connection;
};

} // namespace

TEST_F(WinInetService, AServiceCallAnswers200WithHeadersAndAnXmlBody)
{
    CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_DIRECT);
    std::unique_ptr<CHttpFile> file = Get(session, kListPackages);
    DWORD status = 0;
    ASSERT_TRUE(file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 200u);
    std::string headers;
    ASSERT_TRUE(file->QueryInfo(HTTP_QUERY_RAW_HEADERS_CRLF, headers));
    EXPECT_EQ(headers.rfind("HTTP/1.1 200", 0), 0u) << headers;
    EXPECT_EQ(headers.substr(headers.size() - 4), "\r\n\r\n") << "ends with an empty line";
    std::string line;
    ASSERT_TRUE(file->ReadString(line));
    EXPECT_EQ(line.rfind("<?xml", 0), 0u) << line;
    std::string rest, more;
    while (file->ReadString(more))
        rest += more;
    EXPECT_NE(rest.find("&lt;rc&gt;"), std::string::npos) << rest;
    EXPECT_FALSE(file->ReadString(more)) << "the end stays the end";
    EXPECT_EQ(more, "");
}

TEST_F(WinInetService, BlockReadsGiveTheSameBytesAsLineReads)
{
    CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_DIRECT);
    std::string byLines, line;
    {
        std::unique_ptr<CHttpFile> file = Get(session, kListPackages);
        while (file->ReadString(line))
            byLines += line + "\n";
    }
    std::unique_ptr<CHttpFile> file = Get(session, kListPackages);
    std::string byBlocks;
    char block[7];
    for (UINT n; (n = file->Read(block, sizeof block)) > 0;)
        byBlocks.append(block, n);
    std::string normalised;
    for (char c : byBlocks)
        if (c != '\r')
            normalised += c;
    if (!normalised.empty() && normalised.back() != '\n')
        normalised += '\n';
    EXPECT_EQ(normalised, byLines);
}

TEST_F(WinInetService, AMissingPageIsAStatusNotAnError)
{
    CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_DIRECT);
    std::unique_ptr<CHttpFile> file = Get(session, "/no/such/page");
    DWORD status = 0;
    ASSERT_TRUE(file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 404u);
    file->Close();
    EXPECT_THROW(file->SendRequest(), CInternetException) << "a closed request stays closed";
}

TEST_F(WinInetService, RefusedPortsAndUnknownHostsCarryTheLinuxLayersNumbers)
{
    CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_DIRECT);
    struct Row
    {
        const char* server;
        DWORD error;
    };
    for (const Row row : {Row{"127.0.0.1:1", ERROR_INTERNET_CANNOT_CONNECT},
                          Row{"no-such-host.invalid", ERROR_INTERNET_NAME_NOT_RESOLVED}}) {
        std::unique_ptr<CHttpConnection> refused = session.GetHttpConnection(row.server);
        std::unique_ptr<CHttpFile> file = refused->OpenRequest(nullptr, "/");
        try {
            file->SendRequest();
            ADD_FAILURE() << row.server << ": no exception";
        } catch (const CInternetException& e) {
            EXPECT_EQ(e.m_dwError, row.error) << row.server;
            EXPECT_FALSE(e.GetErrorMessage().empty());
        }
    }
}
