// The offline road's install on the whole-package unpacking.
#include "names/SavedNamesInstall.h"

#include "names/CNamePackage.h"
#include "names/CTransferArchive.h"
#include "names/NameCommandSteps.h"
#include "platform/fs/FileSystem.h"

namespace namelist {

namespace {

constexpr const char kInstalled[] = "Name files installed.";
constexpr const char kInstalledCaption[] = "Success";

// What a save killed while it wrote the archive had begun is put back before the archive is read.
void Unpack(const std::string& archive, const std::string& namesFolder)
{
    CTransferArchive::UndoKilledSave(archive);
    CNamePackage::ExtractAll(archive, namesFolder);
}

} // namespace

CommandOutcome InstallArchive(service::IServiceUi& ui, const std::string& archive,
                              const std::string& namesFolder)
{
    if (!NamesFolderTakesFiles(namesFolder, ui))
        return CommandOutcome::Silent();
    Unpack(archive, namesFolder);
    return CommandOutcome::Succeeded(kInstalled, kInstalledCaption);
}

CommandOutcome InstallSavedNames(INamesUi& ui, const std::string& moduleFolder,
                                 const std::string& namesFolder)
{
    if (!NamesFolderTakesFiles(namesFolder, ui))
        return CommandOutcome::Silent();
    const std::string beside = moduleFolder + "VMRNames.zip";
    if (FileExists(beside)) {
        // Carried here together with the program: used as it is and kept.
        Unpack(beside, namesFolder);
    } else {
        const std::string chosen = ui.PickSavedArchive(moduleFolder);
        if (chosen.empty())
            return CommandOutcome::Silent();
        Unpack(chosen, namesFolder);
        DeleteFile(chosen);
    }
    return CommandOutcome::Succeeded(kInstalled, kInstalledCaption);
}

} // namespace namelist
