// The main window: its controls, its run-time state and every command the program offers.
#pragma once

#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/CWaitNoticeDlg.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CStatic.h"
#include "res/resource.h"

// One class whose member functions live in several folders: app/ (frame, initialisation, boxes,
// scenarios), locator/ (finding Velmora, the probe, the Browse buttons), service/ (ServerCall,
// XmlValue, DownloadFile), names/ (name list, install, save, listen, request). The state is public
// so that those member files and the tests read and set it directly; nothing else touches it.
class CMainDlg : public CDialog
{
public:
    enum { IDD = IDD_MAIN_DIALOG };

    // The fields of the last request form, kept so the next form opens filled in.
    struct RequestForm
    {
        std::string strRecordName;
        std::string strRequester;
        std::string strEmail;
        std::string strPronunciation;
        std::string strComments;
    };

    explicit CMainDlg(const AppOptions& options = AppOptions(), CWnd* pParent = nullptr);
    ~CMainDlg() override;

    // The web service's host ("127.0.0.1:8642" as given by --service-host), split into host name
    // and port (0: the default HTTP port), and the host the connectivity probe looks up.
    const std::string& ServiceHostAndPort() const { return m_options.serviceHost; }
    std::string ServiceHost() const;
    unsigned ServicePort() const;
    const std::string& ProbeHost() const { return m_options.probeHost; }

    BOOL OnInitDialog() override;
    // The window has no OK command: Enter, typed after a name, must not end it. It ends only through
    // OnCancel (Close, Escape, the close box), which keeps the offline road's copy and reminder.
    void OnOK() override;
    void OnCancel() override;

    // Operations other folders define.
    std::string LocateVelmora();                       // locator/
    std::string SearchForVelmora(std::string folder);  // locator/
    bool ProbeConnection();                            // locator/
    // Appends the service's names to m_nameList; false when the call failed (and was reported).
    bool FetchNameList();                              // names/
    std::string ServerCall(std::string request);       // service/
    static std::string XmlValue(std::string text, std::string tagName, std::string operation,
                                std::string newValue); // service/
    bool DownloadFile(std::string address, std::string localPath); // service/
    void MatchListedName();                            // names/
    std::string RequestPackageUrl();                   // names/

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
    CButton m_btnListen;                 // IDC_LISTEN
    CStatic m_lblVelmoraLocation;        // IDC_VELMORA_LOCATION_LABEL
    CButton m_btnScenarioWeb;            // IDC_SCENARIO_WEB
    CButton m_btnScenarioOffline;        // IDC_SCENARIO_OFFLINE
    CStatic m_lblChoosePrompt;           // IDC_CHOOSE_PROMPT
    CStatic m_lblSaveLocation;           // IDC_SAVE_LOCATION_LABEL
    CEdit m_editSaveLocation;            // IDC_SAVE_LOCATION
    CEdit m_editVelmoraLocation;         // IDC_VELMORA_LOCATION
    CButton m_btnBrowseSave;             // IDC_BROWSE_SAVE
    CButton m_btnDownloadSave;           // IDC_DOWNLOAD_SAVE
    CButton m_btnRequestNewName;         // IDC_REQUEST_NEW_NAME
    CButton m_btnInstall;                // IDC_INSTALL
    CButton m_btnBrowseVelmora;          // IDC_BROWSE_VELMORA
    CListCtrl m_listNames;               // IDC_NAME_LIST
    CEdit m_editSearchText;              // IDC_SEARCH_TEXT
    std::string m_strSearchText;
    HICON m_hIcon = nullptr;

    // Handlers, in the order of the message table; public so tests may also call them directly.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnScenarioWeb();                                  // app/MainDlgScenario.cpp
    void OnScenarioOffline();                              // app/MainDlgScenario.cpp
    void OnDblClkNameList(NMHDR* pNMHDR, LRESULT* pResult); // names/
    void OnBrowseSave();                                   // locator/
    void OnDownloadSave();                                 // names/
    void OnBrowseVelmora();                                // locator/
    void OnInstall();                                      // names/
    void OnRequestNewName();                               // names/
    void OnInstructions();
    void OnListen();                                       // names/
    void OnChangeSearchText();                             // names/

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    AppOptions m_options;
};
