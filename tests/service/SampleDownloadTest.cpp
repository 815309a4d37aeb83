// Package downloads from the sample service into the files the name commands give them, on both builds.
#include <gtest/gtest.h>

#include "platform/fs/CTempFile.h"
#include "service/PackageDownload.h"
#include "tests/support/SamplePeers.h"
#include "tests/support/ScratchDir.h"

namespace {

// Fails the test on any box or login: these downloads must go through silently.
class SilentUi : public service::IServiceUi
{
public:
    void ShowMessage(const std::string& text, const char* caption, bool) override
    {
        ADD_FAILURE() << "box \"" << (caption ? caption : "") << "\": " << text;
    }
    bool AskProxyCredentials(std::string&, std::string&) override
    {
        ADD_FAILURE() << "login asked";
        return false;
    }
    void ShowNotice(const std::string&) override {}
    void HideNotice() override {}
};

// Windows refused the download's own open of a temporary while the temporary's lock handle was open
// (a sharing violation), so every "Download and Save Name" failed there.
TEST(SampleDownload, PackageDownloadsIntoItsHeldTemporary)
{
    SampleService service;
    ScratchDir dir("download");
    const std::string name = service.Names().back(); // an accented one
    CTempFile temporary;
    ASSERT_TRUE(temporary.Create(WindowsPath(dir.Path() / "VMRNames.zip")));
    SilentUi ui;
    const std::string address = service.HostPort() + "/olvwebservice/packages/" + name + ".zip";
    EXPECT_TRUE(service::DownloadPackage(address, temporary.GetPath(), ui).ok);
    const std::string package = FileBytes(service.Package(name));
    ASSERT_FALSE(package.empty());
    const std::string downloaded = FileBytes(HostPath(temporary.GetPath()));
    EXPECT_TRUE(package == downloaded) << downloaded.size() << " bytes of " << package.size();
}

} // namespace
