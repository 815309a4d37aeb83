// The install branch of the non web-connected layout: names from a transfer archive.
#include "app/CMainDlg.h"
#include "locator/VelmoraSearch.h"
#include "names/CNamePackage.h"
#include "names/CTransferArchive.h"
#include "platform/fs/FileSystem.h"
#include "platform/ui/CFileDialog.h"

void CMainDlg::InstallSavedNames()
{
    const std::string beside = m_strModuleFolder + "VMRNames.zip";
    const std::string namesFolder = velmora::NamesFolder(m_editVelmoraLocation.GetWindowText());
    if (!NamesFolderTakesFiles(namesFolder))
        return;
    if (FileExists(beside)) {
        // Carried here together with the program: used as it is and kept.
        CTransferArchive::UndoKilledSave(beside);
        CNamePackage::ExtractAll(beside, namesFolder);
    } else {
        CFileDialog picker(TRUE, nullptr, nullptr,
                           OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON,
                           "Velmora Name Files (zip)|VMRNames.zip|", this);
        picker.m_ofn.lpstrInitialDir = m_strModuleFolder.c_str();
        picker.DoModal();
        const std::string chosen = picker.GetPathName();
        if (chosen.empty())
            return;
        CTransferArchive::UndoKilledSave(chosen);
        CNamePackage::ExtractAll(chosen, namesFolder);
        DeleteFile(chosen);
    }
    MessageBox("Name files installed.", "Success", MB_OK);
    m_bSavedForTransfer = false;
}
