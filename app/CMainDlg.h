// The main window: its controls, its run-time state and every command the program offers.
#pragma once

#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/CWaitNoticeDlg.h"
#include "app/MainDlgUi.h"
#include "names/NameRequestForm.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CStatic.h"
#include "res/resource.h"
#include "service/CServiceClient.h"

// Its members read the controls, call the subsystems' objects (the service client, the name commands,
// the locator) and show what they give back; the member files, all in app/, are named beside their
// declarations. The window owns the service client and the user interface the subsystems talk through.
class CMainDlg : public CDialog
{
public:
    enum { IDD = IDD_MAIN_DIALOG };

    // The fields of the last request form, kept so the next form opens filled in.
    using RequestForm = namelist::RequestForm;

    explicit CMainDlg(const AppOptions& options = AppOptions(), CWnd* pParent = nullptr);
    ~CMainDlg() override;

    // The web service's host ("127.0.0.1:8642" as given by --service-host), split into host name
    // and port (0: the default HTTP port), and the host the connectivity probe looks up.
    const std::string& ServiceHostAndPort() const { return m_options.serviceHost; }
    std::string ServiceHost() const;
    unsigned ServicePort() const;
    const std::string& ProbeHost() const { return m_options.probeHost; }

    BOOL OnInitDialog() override; // app/CMainDlg.cpp
    // The window has no OK command: Enter, typed after a name, must not end it. It ends only through
    // OnCancel (Close, Escape, the close box), which keeps the offline road's copy and reminder.
    void OnOK() override;     // app/CMainDlg.cpp
    void OnCancel() override; // app/MainDlgSaveForTransfer.cpp

    std::string LocateVelmora();                      // app/MainDlgLocator.cpp
    std::string SearchForVelmora(std::string folder); // app/MainDlgLocator.cpp
    bool ProbeConnection();                           // app/MainDlgLocator.cpp
    // Appends the service's names to m_nameList; false when the call failed (and was reported).
    bool FetchNameList();                        // app/MainDlgNameList.cpp
    std::string ServerCall(std::string request); // app/MainDlgService.cpp
    static std::string XmlValue(std::string text, std::string tagName, std::string operation,
                                std::string newValue);             // app/MainDlgService.cpp
    bool DownloadFile(std::string address, std::string localPath); // app/MainDlgService.cpp
    void MatchListedName();                                        // app/MainDlgInstall.cpp
    std::string RequestPackageUrl();                               // app/MainDlgInstall.cpp
    // False, after a box that names the folder, when the user may not add files to the names folder.
    bool NamesFolderTakesFiles(const std::string& namesFolder); // app/MainDlgInstall.cpp

    // Handlers, in the order of the message table; public so tests may also call them directly.
    void OnSysCommand(UINT nID, LPARAM lParam);             // app/CMainDlg.cpp
    void OnPaint();                                         // app/CMainDlg.cpp
    HCURSOR OnQueryDragIcon();                              // app/CMainDlg.cpp
    void OnScenarioWeb();                                   // app/MainDlgScenario.cpp
    void OnScenarioOffline();                               // app/MainDlgScenario.cpp
    void OnDblClkNameList(NMHDR* pNMHDR, LRESULT* pResult); // app/MainDlgNameList.cpp
    void OnBrowseSave();                                    // app/MainDlgLocator.cpp
    void OnDownloadSave();                                  // app/MainDlgSaveForTransfer.cpp
    void OnBrowseVelmora();                                 // app/MainDlgLocator.cpp
    void OnInstall();                                       // app/MainDlgInstall.cpp
    void OnRequestNewName();                                // app/MainDlgNameRequest.cpp
    void OnInstructions();                                  // app/MainDlgInstructions.cpp
    void OnListen();                                        // app/MainDlgListen.cpp
    void OnChangeSearchText();                              // app/MainDlgNameList.cpp

protected:
    void DoDataExchange(CDataExchange* pDX) override; // app/CMainDlg.cpp
    DECLARE_MESSAGE_MAP()

private:
    // Tests reach the state and the controls through this (tests/support/MainDlgTestAccess.h).
    friend class CMainDlgTestAccess;

    // Run-time state, in declaration order.
    RequestForm m_requestForm;
    std::string m_strLastName;
    HWND m_hPlayerWnd = nullptr;
    bool m_bNameListShown = false;
    bool m_bConnected = false;
    std::string m_strVelmoraFolder;
    bool m_bFirstChoice = true;
    CWaitNoticeDlg m_notice;
    bool m_bNameListFetched = false;
    bool m_bSavedForTransfer = false;
    std::string m_strModuleFolder;
    std::string m_strProxyPassword;
    std::string m_strProxyUser;
    std::string m_strSelectedName;
    std::vector<std::string> m_nameList;
    bool m_bWebScenario = false;
    CButton m_btnListen;          // IDC_LISTEN
    CStatic m_lblVelmoraLocation; // IDC_VELMORA_LOCATION_LABEL
    CButton m_btnScenarioWeb;     // IDC_SCENARIO_WEB
    CButton m_btnScenarioOffline; // IDC_SCENARIO_OFFLINE
    CStatic m_lblChoosePrompt;    // IDC_CHOOSE_PROMPT
    CStatic m_lblSaveLocation;    // IDC_SAVE_LOCATION_LABEL
    CEdit m_editSaveLocation;     // IDC_SAVE_LOCATION
    CEdit m_editVelmoraLocation;  // IDC_VELMORA_LOCATION
    CButton m_btnBrowseSave;      // IDC_BROWSE_SAVE
    CButton m_btnDownloadSave;    // IDC_DOWNLOAD_SAVE
    CButton m_btnRequestNewName;  // IDC_REQUEST_NEW_NAME
    CButton m_btnInstall;         // IDC_INSTALL
    CButton m_btnBrowseVelmora;   // IDC_BROWSE_VELMORA
    CListCtrl m_listNames;        // IDC_NAME_LIST
    CEdit m_editSearchText;       // IDC_SEARCH_TEXT
    std::string m_strSearchText;
    HICON m_hIcon = nullptr;

    // Steps of the scenario choice (app/MainDlgScenario.cpp). FetchStep fetches the list under the
    // notice unless it has been fetched; FillStep fills the list view from m_nameList once fetched;
    // RetryFailedFetch does both on a click on the layout already active after a failed fetch;
    // ClearScenarioButtons leaves both scenario buttons unchecked.
    void FetchStep();
    void FillStep();
    void RetryFailedFetch();
    void ClearScenarioButtons();
    // "Install Saved Name": OnInstall's branch of the non web-connected layout, run with the notice
    // shown and the controls' data taken (app/MainDlgInstallSaved.cpp).
    void InstallSavedNames();
    // The closing box of a name command, when it has one.
    void ShowOutcome(const namelist::CommandOutcome& outcome);

    // Declared after the state they refer to: built from it, gone before it.
    AppOptions m_options;
    CMainDlgUi m_ui{*this, m_notice};
    service::CServiceClient m_client{m_options.serviceHost, m_strProxyUser, m_strProxyPassword, m_ui};
};
