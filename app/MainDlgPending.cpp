// Members of the main window whose work is still to be written; each does nothing yet.
#include "app/CMainDlg.h"

