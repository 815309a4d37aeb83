// The web road's install on the service client's download and the whole-package unpacking.
#include "names/NameInstall.h"

#include "names/CNamePackage.h"
#include "names/DownloadedPackage.h"
#include "names/NameCommandSteps.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"

namespace namelist {
namespace {

// Where the downloaded package waits to be unpacked: Temp.zip in the program's own folder, or, when that
// folder takes no new files (a copy installed for all users), a file of its own in the user's temporary
// folder, made exclusively under a unique name so that no other user's or instance's file is ever
// written or followed. Temporaries that a killed install left there are removed first.
std::string TemporaryPackagePath(const std::string& moduleFolder, CTempFile& temporary)
{
    const std::string preferred = moduleFolder + "Temp.zip";
    if (temporary.Create(preferred)) {
        temporary.Remove();
        return preferred;
    }
    const std::string shared = GetTempFolder() + "Temp.zip";
    RemoveStaleTempFiles({shared});
    if (!temporary.Create(shared))
        throw CFileException::FromLastOsError(shared);
    return temporary.GetPath();
}

} // namespace

CommandOutcome InstallPackage(service::CServiceClient& client, const std::string& url,
                              const std::string& name, const std::string& namesFolder,
                              const std::string& moduleFolder)
{
    CTempFile temporary; // removed on every way out when the package is not in the program's folder
    const std::string package = TemporaryPackagePath(moduleFolder, temporary);
    if (!client.DownloadFile(url, package)) {
        DeleteFile(package); // a failed download leaves nothing behind
        return CommandOutcome::Failed(kDownloadFailed, kFailureCaption);
    }

    // When unpacking fails a Temp.zip in the program's folder stays for a look; one in the temporary folder
    // goes with its object.
    const std::string damaged =
        WithDownloadedPackage(name, package, [&] { CNamePackage::ExtractAll(package, namesFolder); });
    if (!damaged.empty())
        return CommandOutcome::Failed(damaged, kFailureCaption);
    DeleteFile(package);
    return CommandOutcome::Succeeded("Name files installed.", "Success");
}

} // namespace namelist
