// The main window's frame: construction, control binding, message table, initialisation, system menu, icon.
#include "app/CMainDlg.h"

#include "app/CAboutDlg.h"
#include "app/IconPlacement.h"
#include "app/ModuleFolder.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/Resources.h"

CMainDlg::CMainDlg(const AppOptions& options, CWnd* pParent)
    : CDialog(IDD_MAIN_DIALOG, pParent), m_options(options)
{
    m_strSearchText = "";
    m_hIcon = AfxLoadIcon(IDR_MAINFRAME);
}

CMainDlg::~CMainDlg() = default;

std::string CMainDlg::ServiceHost() const
{
    std::string host;
    unsigned port = 0;
    return SplitHostPort(m_options.serviceHost, host, port) ? host : m_options.serviceHost;
}

unsigned CMainDlg::ServicePort() const
{
    std::string host;
    unsigned port = 0;
    return SplitHostPort(m_options.serviceHost, host, port) ? port : 0;
}

void CMainDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LISTEN, m_btnListen);
    DDX_Control(pDX, IDC_VELMORA_LOCATION_LABEL, m_lblVelmoraLocation);
    DDX_Control(pDX, IDC_SCENARIO_WEB, m_btnScenarioWeb);
    DDX_Control(pDX, IDC_SCENARIO_OFFLINE, m_btnScenarioOffline);
    DDX_Control(pDX, IDC_CHOOSE_PROMPT, m_lblChoosePrompt);
    DDX_Control(pDX, IDC_SAVE_LOCATION_LABEL, m_lblSaveLocation);
    DDX_Control(pDX, IDC_SAVE_LOCATION, m_editSaveLocation);
    DDX_Control(pDX, IDC_VELMORA_LOCATION, m_editVelmoraLocation);
    DDX_Control(pDX, IDC_BROWSE_SAVE, m_btnBrowseSave);
    DDX_Control(pDX, IDC_DOWNLOAD_SAVE, m_btnDownloadSave);
    DDX_Control(pDX, IDC_REQUEST_NEW_NAME, m_btnRequestNewName);
    DDX_Control(pDX, IDC_INSTALL, m_btnInstall);
    DDX_Control(pDX, IDC_BROWSE_VELMORA, m_btnBrowseVelmora);
    DDX_Control(pDX, IDC_NAME_LIST, m_listNames);
    DDX_Control(pDX, IDC_SEARCH_TEXT, m_editSearchText);
    DDX_Text(pDX, IDC_SEARCH_TEXT, m_strSearchText);
}

// clang-format off
BEGIN_MESSAGE_MAP(CMainDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_SCENARIO_WEB, &CMainDlg::OnScenarioWeb)
    ON_BN_CLICKED(IDC_SCENARIO_OFFLINE, &CMainDlg::OnScenarioOffline)
    ON_NOTIFY(NM_DBLCLK, IDC_NAME_LIST, &CMainDlg::OnDblClkNameList)
    ON_BN_CLICKED(IDC_BROWSE_SAVE, &CMainDlg::OnBrowseSave)
    ON_BN_CLICKED(IDC_DOWNLOAD_SAVE, &CMainDlg::OnDownloadSave)
    ON_BN_CLICKED(IDC_BROWSE_VELMORA, &CMainDlg::OnBrowseVelmora)
    ON_BN_CLICKED(IDC_INSTALL, &CMainDlg::OnInstall)
    ON_BN_CLICKED(IDC_REQUEST_NEW_NAME, &CMainDlg::OnRequestNewName)
    ON_BN_CLICKED(IDC_INSTRUCTIONS, &CMainDlg::OnInstructions)
    ON_BN_CLICKED(IDC_LISTEN, &CMainDlg::OnListen)
    ON_EN_CHANGE(IDC_SEARCH_TEXT, &CMainDlg::OnChangeSearchText)
END_MESSAGE_MAP()
// clang-format on

BOOL CMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        const std::string strAboutMenu = AfxLoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.empty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    for (int id : {IDC_SEARCH_TEXT, IDC_NAME_LIST, IDC_BROWSE_VELMORA, IDC_INSTALL, IDC_REQUEST_NEW_NAME,
                   IDC_DOWNLOAD_SAVE, IDC_BROWSE_SAVE, IDC_SAVE_LOCATION, IDC_SAVE_LOCATION_LABEL,
                   IDC_VELMORA_LOCATION_LABEL, IDC_VELMORA_LOCATION, IDC_LISTEN}) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(FALSE);
    }

    m_strModuleFolder = RunningModuleFolder();

    m_bWebScenario = false;
    m_bSavedForTransfer = false;
    m_bNameListFetched = false;
    m_bFirstChoice = true;
    m_bNameListShown = false;
    m_requestForm = RequestForm();

    return TRUE; // the focus goes to the first tab stop, the Close button
}

void CMainDlg::OnOK() {}

void CMainDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CMainDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        CRect rect;
        GetClientRect(&rect);
        const CPoint origin =
            CenteredIconOrigin(rect, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
        dc.DrawIcon(origin.x, origin.y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

HCURSOR CMainDlg::OnQueryDragIcon()
{
    return m_hIcon;
}
