// The install branch of the non web-connected layout: names from a transfer archive.
#pragma once

class CMainDlg;

// Runs with the notice already shown and the controls' data taken; closes the notice on every way out.
void InstallSavedNames(CMainDlg& dlg);
