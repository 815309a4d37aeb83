// The offline road's install on the whole-package unpacking.
#include "names/SavedNamesInstall.h"

#include "names/CNamePackage.h"
#include "names/CTransferArchive.h"
#include "names/NameCommandSteps.h"
#include "platform/fs/FileSystem.h"

namespace namelist {

CommandOutcome InstallSavedNames(INamesUi& ui, const std::string& moduleFolder,
                                 const std::string& namesFolder)
{
    const std::string beside = moduleFolder + "VMRNames.zip";
    if (!NamesFolderTakesFiles(namesFolder, ui))
        return CommandOutcome::Silent();
    if (FileExists(beside)) {
        // Carried here together with the program: used as it is and kept.
        CTransferArchive::UndoKilledSave(beside);
        CNamePackage::ExtractAll(beside, namesFolder);
    } else {
        const std::string chosen = ui.PickSavedArchive(moduleFolder);
        if (chosen.empty())
            return CommandOutcome::Silent();
        CTransferArchive::UndoKilledSave(chosen);
        CNamePackage::ExtractAll(chosen, namesFolder);
        DeleteFile(chosen);
    }
    return CommandOutcome::Succeeded("Name files installed.", "Success");
}

} // namespace namelist
