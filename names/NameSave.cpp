// The offline road's save on the service client's download and the all-or-nothing transfer archive.
#include "names/NameSave.h"

#include "names/CTransferArchive.h"
#include "names/DownloadedPackage.h"
#include "names/NameCommandSteps.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ModulePath.h"

namespace namelist {

CommandOutcome SaveForTransfer(service::CServiceClient& client, const std::string& url,
                               const std::string& name, const std::string& saveFolder)
{
    CTransferArchive transfer(saveFolder);
    transfer.RemoveStaleTemporaries();
    // The package goes to a temporary beside the archive, never into the archive's place or into a
    // staging folder: a download cut short, a package that does not read or a save that is killed
    // leaves the archive as it was and nothing of its files for the next save to pick up.
    CTempFile package;
    if (!package.Create(transfer.GetPath()))
        throw CFileException::FromLastOsError(transfer.GetPath());
    bool saved = client.DownloadFile(url, package.GetPath(), transfer.GetPath());
    if (saved) {
        const std::string damaged = WithDownloadedPackage(name, package.GetPath(), [&] {
            if (!transfer.Exists())
                saved = transfer.AdoptPackage(package);
            else
                saved = transfer.AddPackage(package.GetPath());
        });
        if (!damaged.empty())
            return CommandOutcome::Failed(damaged, kFailureCaption);
    }
    if (!saved)
        return CommandOutcome::Failed(kDownloadFailed, kFailureCaption);
    return CommandOutcome::Succeeded("Name files downloaded.", "Success");
}

void CopyProgramTo(const std::string& saveFolder)
{
    const std::string module = ModuleFileName();
    const std::string fileName = module.substr(module.rfind('\\') + 1);
    CopyFile(module, saveFolder + fileName, true);
}

} // namespace namelist
