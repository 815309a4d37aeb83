// The request-new-name exchange for the main window's request command.
#pragma once

#include <string>

class CMainDlg;

// Sends request (a NameRequest string) with the main window's service host and proxy credentials
// under the notice kSendingRequestNotice, which goes on every way out. True after the
// service accepted it and its answer has been shown (the caller then empties m_requestForm); false
// after any failure, already reported (or a cancelled login). An unusable proxy list travels out as
// CInternetException.
bool SendNameRequest(CMainDlg& dialog, const std::string& request);
