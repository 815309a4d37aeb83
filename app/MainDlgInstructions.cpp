// The Instructions button: the text for the layout in force, or a reminder to choose a scenario first.
#include "app/CInstructionsDlg.h"
#include "app/CMainDlg.h"

namespace {

const char* const kWebText = "\n\n\n\n"
                             "            Locate the name you would like to install from the names\n"
                             "            list, then click the \"Download and Install Name\" button.";

const char* const kOfflineText =
    "1) On a web connected computer, select the name that you need to download from the names list and click "
    "the \"Download and Save Name\" button.\n"
    "\n"
    "2) Once you have downloaded all of the names you need, copy this program, along with the "
    "\"VMRNames.zip\" "
    "file, to a floppy disk.  \n"
    "\n"
    "3) Take the floppy disk to the computer that has the Velmora, and run this program again.\n"
    "\n"
    "4) Click the \"Install Saved Name\" button and select the \"VMRNames.zip\" file to install the name "
    "files.";

} // namespace

void CMainDlg::OnInstructions()
{
    CInstructionsDlg dlg;
    if (m_btnScenarioWeb.GetCheck() == BST_CHECKED || m_btnScenarioOffline.GetCheck() == BST_CHECKED) {
        dlg.m_strText = m_bWebScenario ? kWebText : kOfflineText;
        dlg.DoModal();
    } else {
        MessageBox("Please select your scenario, then click the instructions button again.",
                   "Select your scenario.", MB_OK);
    }
}
