// Downloading package files: address forms, statuses, bodies byte for byte, local file failures.
#include "service/PackageDownload.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/inet/ProxyCredentialCache.h"
#include "tests/service/ServiceTestSupport.h"
#include "tests/support/ScriptedHttpServer.h"
#include "tests/support/SquidProxy.h"

namespace {

using service::DownloadResult;

struct AddressCase
{
    std::string address;
    std::string host;
    std::string object;
};

class SplitAddress : public testing::TestWithParam<AddressCase>
{
};

TEST_P(SplitAddress, DropsTheSegmentAfterTheHost)
{
    const service::PackageAddress got = service::SplitPackageAddress(GetParam().address);
    EXPECT_EQ(got.host, GetParam().host) << GetParam().address;
    EXPECT_EQ(got.object, GetParam().object) << GetParam().address;
}

INSTANTIATE_TEST_SUITE_P(Table, SplitAddress,
                         testing::Values(AddressCase{"h/file.zip", "h", "file.zip"},
                                         AddressCase{"h/folder/file.zip", "h", "file.zip"},
                                         AddressCase{"h/a/b/file.zip", "h", "b/file.zip"},
                                         AddressCase{"http://h/file.zip", "http:", "h/file.zip"},
                                         AddressCase{"h/", "h", ""}, AddressCase{"nohost", "", "nohost"}));

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Download : public testing::Test
{
protected:
    Download()
    {
        prefix.MapDrive('e', "pkgs");
        // Logins a proxy accepted stay for the process: none may come from an earlier test.
        inet::ProcessProxyCredentials().Clear();
    }

    DownloadResult Get(const std::string& address, DWORD timeoutMs = 300000)
    {
        return service::DownloadPackage(address, "E:\\Temp.zip", ui, timeoutMs);
    }

    std::filesystem::path Local() const { return prefix.Root() / "pkgs" / "Temp.zip"; }

    ScratchPrefix prefix;
    ScriptedHttpServer server;
    RecordingUi ui;
};

TEST_F(Download, HostAndFileAndHostFolderFileBothFetchTheFileName)
{
    server.Reply("/Tom.zip", 200, "PK-tom", {}, "application/zip");
    for (const std::string& address :
         {server.HostPort() + "/Tom.zip", server.HostPort() + "/packages/Tom.zip"}) {
        std::filesystem::remove(Local());
        const DownloadResult got = Get(address);
        EXPECT_TRUE(got.ok) << address << ": " << got.failure;
        EXPECT_EQ(FileText(Local()), "PK-tom") << address;
    }
    for (const auto& seen : server.Requests())
        EXPECT_EQ(seen.target, "/Tom.zip");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Download, SeveralMegabytesArriveByteForByte)
{
    std::string body(3 * 1024 * 1024 + 49, '\0');
    std::mt19937 rng(7);
    for (char& c : body)
        c = static_cast<char>(rng());
    server.Reply("/big.zip", 200, body, {}, "application/zip");
    ASSERT_TRUE(Get(server.HostPort() + "/p/big.zip").ok);
    const std::string got = FileText(Local());
    ASSERT_EQ(got.size(), body.size());
    EXPECT_TRUE(got == body);
}

TEST_F(Download, EmptyBodyGivesAnEmptyFileAndReplacesAnOldOne)
{
    std::ofstream(Local()) << "old content";
    server.Reply("/empty.zip", 200, "");
    EXPECT_TRUE(Get(server.HostPort() + "/empty.zip").ok);
    ASSERT_TRUE(std::filesystem::exists(Local()));
    EXPECT_EQ(std::filesystem::file_size(Local()), 0u);
}

TEST_F(Download, ErrorStatusOrSchemeFailsAndLeavesNoFile)
{
    const DownloadResult missing = Get(server.HostPort() + "/missing.zip");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.failure, "Web Processing Error #404.");
    const DownloadResult scheme = Get("http://" + server.HostPort() + "/x.zip");
    EXPECT_FALSE(scheme.ok);
    EXPECT_EQ(scheme.failure, "Could not open request to OLV Web Server.  Try again later. Error: #12005.");
    EXPECT_FALSE(std::filesystem::exists(Local()));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Download, StalledBodyFailsWithTheDownloadError)
{
    server.Stall("/slow.zip", std::string(120, 'z'), 100000);
    const DownloadResult got = Get(server.HostPort() + "/slow.zip", 300);
    EXPECT_FALSE(got.ok);
    EXPECT_EQ(got.failure, "Download Error: #12002.");
    EXPECT_EQ(FileText(Local()), std::string(120, 'z'));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Download, UnwritableLocalFileShowsOneFileErrorBox)
{
    server.Reply("/Tom.zip", 200, "PK");
    const DownloadResult got =
        service::DownloadPackage(server.HostPort() + "/Tom.zip", "E:\\no such folder\\T.zip", ui);
    EXPECT_FALSE(got.ok);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("T.zip"), std::string::npos) << ui.boxes[0].text;
    EXPECT_EQ(ui.boxes[0].caption, "File Error #" + std::to_string(ENOENT));
}

TEST_F(Download, FullDeviceShowsOneFileErrorBox)
{
    server.Reply("/Tom.zip", 200, std::string(200000, 'x'));
    const DownloadResult got = service::DownloadPackage(server.HostPort() + "/Tom.zip", "Z:\\dev\\full", ui);
    EXPECT_FALSE(got.ok);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "File Error #" + std::to_string(ENOSPC));
}

TEST_F(Download, ProxysAuthenticationDemandFailsWithoutSendingCredentialsAndLeavesNoFile)
{
    SquidProxy proxy;
    UseProxy(prefix, proxy.HostPort());
    server.Reply("/Tom.zip", 200, "PK");
    const DownloadResult got = Get(server.HostPort() + "/Tom.zip");
    EXPECT_FALSE(got.ok);
    EXPECT_EQ(got.failure, "Web Processing Error #407.");
    EXPECT_FALSE(std::filesystem::exists(Local()));
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(Download, OpenProxyCarriesThePackage)
{
    SquidProxy proxy(SquidProxy::Options{.requireAuth = false});
    UseProxy(prefix, "http=" + proxy.HostPort());
    server.Reply("/Tom.zip", 200, "PK-through");
    EXPECT_TRUE(Get(server.HostPort() + "/x/Tom.zip").ok);
    EXPECT_EQ(FileText(Local()), "PK-through");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].headers.count("Via"), 1u);
}

} // namespace
