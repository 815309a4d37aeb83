// The offline road's install on the whole-package unpacking.
#include "names/SavedNamesInstall.h"

#include "names/CNamePackage.h"
#include "names/CTransferArchive.h"
#include "names/NameCommandSteps.h"
#include "platform/fs/FileSystem.h"

namespace namelist {

CommandOutcome InstallArchive(service::IServiceUi& ui, const std::string& archive,
                              const std::string& namesFolder)
{
    if (!NamesFolderTakesFiles(namesFolder, ui))
        return CommandOutcome::Silent();
    CTransferArchive::UndoKilledSave(archive);
    CNamePackage::ExtractAll(archive, namesFolder);
    return CommandOutcome::Succeeded("Name files installed.", "Success");
}

CommandOutcome InstallSavedNames(INamesUi& ui, const std::string& moduleFolder,
                                 const std::string& namesFolder)
{
    // Carried here together with the program: used as it is and kept.
    const std::string beside = moduleFolder + "VMRNames.zip";
    if (FileExists(beside))
        return InstallArchive(ui, beside, namesFolder);
    if (!NamesFolderTakesFiles(namesFolder, ui))
        return CommandOutcome::Silent();
    const std::string chosen = ui.PickSavedArchive(moduleFolder);
    if (chosen.empty())
        return CommandOutcome::Silent();
    CommandOutcome outcome = InstallArchive(ui, chosen, namesFolder);
    if (outcome.succeeded)
        DeleteFile(chosen);
    return outcome;
}

} // namespace namelist
