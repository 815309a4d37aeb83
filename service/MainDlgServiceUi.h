// The service client's user interface on the main window: its boxes, the login dialog, a notice.
#pragma once

#include "app/CWaitNoticeDlg.h"
#include "service/ServiceUi.h"

class CMainDlg;

class CMainDlgServiceUi : public service::IServiceUi
{
public:
    explicit CMainDlgServiceUi(CMainDlg& dialog) : m_dialog(dialog) {}

    void ShowMessage(const std::string& text, const char* caption, bool exclamation) override;
    bool AskProxyCredentials(std::string& user, std::string& password) override;
    // A notice window of its own (not the main window's m_notice), without parent. The service
    // client pairs every ShowNotice with a HideNotice, however its step ends.
    void ShowNotice(const std::string& text) override;
    void HideNotice() override;

private:
    CMainDlg& m_dialog;
    CWaitNoticeDlg m_notice;
};
