// The install branch of the non web-connected layout: names from a transfer archive.
#pragma once

class CMainDlg;

// Runs with the notice already shown and the controls' data taken; the caller takes the notice down.
void InstallSavedNames(CMainDlg& dlg);
