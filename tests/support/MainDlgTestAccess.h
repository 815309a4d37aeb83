// Test-only reach into the main window's state and controls, which in the program only its own members touch.
#pragma once

#include <string>
#include <vector>

#include "app/CMainDlg.h"

// Peek(dlg).m_bWebScenario reads and sets the member itself: each field refers to the window's own.
class CMainDlgTestAccess
{
public:
    explicit CMainDlgTestAccess(CMainDlg& dlg)
        : m_requestForm(dlg.m_requestForm), m_strLastName(dlg.m_strLastName), m_hPlayerWnd(dlg.m_hPlayerWnd),
          m_bNameListShown(dlg.m_bNameListShown), m_bConnected(dlg.m_bConnected),
          m_strVelmoraFolder(dlg.m_strVelmoraFolder), m_bFirstChoice(dlg.m_bFirstChoice),
          m_notice(dlg.m_notice), m_bNameListFetched(dlg.m_bNameListFetched),
          m_bSavedForTransfer(dlg.m_bSavedForTransfer), m_strModuleFolder(dlg.m_strModuleFolder),
          m_strProxyPassword(dlg.m_strProxyPassword), m_strProxyUser(dlg.m_strProxyUser),
          m_strSelectedName(dlg.m_strSelectedName), m_nameList(dlg.m_nameList),
          m_bWebScenario(dlg.m_bWebScenario), m_btnListen(dlg.m_btnListen),
          m_btnScenarioWeb(dlg.m_btnScenarioWeb), m_btnScenarioOffline(dlg.m_btnScenarioOffline),
          m_lblChoosePrompt(dlg.m_lblChoosePrompt), m_editSaveLocation(dlg.m_editSaveLocation),
          m_editVelmoraLocation(dlg.m_editVelmoraLocation), m_btnDownloadSave(dlg.m_btnDownloadSave),
          m_btnRequestNewName(dlg.m_btnRequestNewName), m_btnInstall(dlg.m_btnInstall),
          m_listNames(dlg.m_listNames), m_editSearchText(dlg.m_editSearchText),
          m_strSearchText(dlg.m_strSearchText), m_hIcon(dlg.m_hIcon)
    {
    }

    CMainDlg::RequestForm& m_requestForm;
    std::string& m_strLastName;
    HWND& m_hPlayerWnd;
    bool& m_bNameListShown;
    bool& m_bConnected;
    std::string& m_strVelmoraFolder;
    bool& m_bFirstChoice;
    CWaitNoticeDlg& m_notice;
    bool& m_bNameListFetched;
    bool& m_bSavedForTransfer;
    std::string& m_strModuleFolder;
    std::string& m_strProxyPassword;
    std::string& m_strProxyUser;
    std::string& m_strSelectedName;
    std::vector<std::string>& m_nameList;
    bool& m_bWebScenario;
    CButton& m_btnListen;
    CButton& m_btnScenarioWeb;
    CButton& m_btnScenarioOffline;
    CStatic& m_lblChoosePrompt;
    CEdit& m_editSaveLocation;
    CEdit& m_editVelmoraLocation;
    CButton& m_btnDownloadSave;
    CButton& m_btnRequestNewName;
    CButton& m_btnInstall;
    CListCtrl& m_listNames;
    CEdit& m_editSearchText;
    std::string& m_strSearchText;
    HICON& m_hIcon;
};

inline CMainDlgTestAccess Peek(CMainDlg& dlg)
{
    return CMainDlgTestAccess(dlg);
}
