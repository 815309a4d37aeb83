// The name commands' and the service client's user interface on the main window: its boxes, notice, pickers.
#pragma once

#include "app/CWaitNoticeDlg.h"
#include "names/NamesUi.h"

class CWnd;

class CMainDlgUi : public namelist::INamesUi
{
public:
    // owner owns the boxes and the picker; notice is the window's own, which shows one text at a time.
    CMainDlgUi(CWnd& owner, CWaitNoticeDlg& notice) : m_owner(owner), m_notice(notice) {}

    void ShowMessage(const std::string& text, const char* caption, bool exclamation) override;
    bool AskProxyCredentials(std::string& user, std::string& password) override;
    void ShowNotice(const std::string& text) override;
    void HideNotice() override;
    std::string PickSavedArchive(const std::string& initialFolder) override;

private:
    CWnd& m_owner;
    CWaitNoticeDlg& m_notice;
};
