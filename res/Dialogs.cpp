// The dialog templates: main window, notice, instructions, about, proxy login, request form, installed names.
#include "res/ResourceParts.h"

#include "res/resource.h"

namespace {

using ui::ControlClass;
using ui::ControlTemplate;
using ui::DialogTemplate;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPush = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefPush = kChild | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = kChild | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kReadOnlyBox = kChild | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;
constexpr DWORD kLeft = kChild | SS_LEFT;
constexpr DWORD kCentre = kChild | SS_CENTER;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
constexpr DWORD kListView = kChild | LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;
constexpr DWORD kRadio = kChild | BS_AUTORADIOBUTTON | WS_GROUP;
constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

constexpr const char* kFont = "MS Sans Serif";

const ControlTemplate kMainControls[] = {
    {IDCANCEL, ControlClass::Button, "Close", 315, 313, 50, 14, kPush},
    {IDC_SCENARIO_WEB, ControlClass::Button, "Install names to the Velmora on this web-connected computer.",
     47, 30, 220, 10, kRadio},
    {IDC_SCENARIO_OFFLINE, ControlClass::Button,
     "Install names to the Velmora on a non web-connected computer.", 47, 42, 227, 10, kRadio},
    {IDC_INSTRUCTIONS, ControlClass::Button, "Instructions", 283, 33, 50, 14, kPush},
    {IDC_SEARCH_TEXT, ControlClass::Edit, "", 167, 83, 172, 14, kEdit},
    {IDC_NAME_LIST, ControlClass::ListView, "", 14, 123, 343, 91, kListView},
    {IDC_BROWSE_SAVE, ControlClass::Button, "Browse", 88, 240, 50, 14, kPush},
    {IDC_DOWNLOAD_SAVE, ControlClass::Button, "Download and Save Name", 147, 240, 132, 14, kPush},
    {IDC_BROWSE_VELMORA, ControlClass::Button, "Browse", 88, 272, 50, 14, kPush},
    {IDC_INSTALL, ControlClass::Button, "Install Saved Names", 147, 272, 132, 14, kPush},
    {IDC_REQUEST_NEW_NAME, ControlClass::Button, "Request New Name", 7, 313, 80, 14, kPush},
    {IDC_SAVE_LOCATION, ControlClass::Edit, "", 14, 256, 344, 14, kReadOnlyBox},
    {IDC_VELMORA_LOCATION, ControlClass::Edit, "", 14, 288, 344, 14, kReadOnlyBox},
    {IDC_STATIC, ControlClass::Static, "Type the Name you are looking for here:", 31, 86, 128, 8, kLeft},
    {IDC_STATIC, ControlClass::Static,
     "Check this list to see if the name has already been recorded by OLV (be sure to check for alternate "
     "spellings of your name as well):",
     74, 103, 223, 17, kCentre},
    {IDC_VELMORA_LOCATION_LABEL, ControlClass::Static, "Velmora Location:", 15, 275, 66, 8, kLeft},
    {IDC_STATIC, ControlClass::Button, "Select Your Scenario", 7, 7, 358, 56, kGroupBox},
    {IDC_STATIC, ControlClass::Button, "Find Your Name", 7, 68, 358, 155, kGroupBox},
    {IDC_STATIC, ControlClass::Button, "Install and Save Name", 7, 228, 358, 81, kGroupBox},
    {IDC_SAVE_LOCATION_LABEL, ControlClass::Static, "Name Save Location:", 15, 243, 70, 8, kLeft},
    {IDC_CHOOSE_PROMPT, ControlClass::Static, "Please choose an option below:", 36, 20, 102, 8, kLeft},
    {IDC_LISTEN, ControlClass::Button, "Listen to Downloaded Name", 96, 313, 105, 14, kPush},
};

const ControlTemplate kNoticeControls[] = {
    {IDC_NOTICE_TEXT, ControlClass::Static, "Static", 15, 13, 116, 31, kCentre},
};

const ControlTemplate kInstructionsControls[] = {
    {IDOK, ControlClass::Button, "Close", 97, 108, 50, 14, kDefPush},
    {IDC_INSTRUCTIONS_TEXT, ControlClass::Static, "Static", 7, 7, 230, 98, kLeft | WS_GROUP},
};

const ControlTemplate kAboutControls[] = {
    {IDC_STATIC, ControlClass::Static, "", 11, 17, 20, 20, kChild | SS_ICON, 0, IDR_MAINFRAME},
    {IDC_STATIC, ControlClass::Static, "Zentrimo Version 1.0", 40, 10, 119, 8,
     kLeft | SS_NOPREFIX | WS_GROUP},
    {IDC_STATIC, ControlClass::Static, "Released in 2025", 40, 25, 119, 8, kLeft | WS_GROUP},
    {IDOK, ControlClass::Button, "OK", 178, 7, 50, 14, kDefPush | WS_GROUP},
};

const ControlTemplate kProxyLoginControls[] = {
    {IDOK, ControlClass::Button, "OK", 25, 77, 50, 14, kDefPush},
    {IDCANCEL, ControlClass::Button, "Cancel", 83, 77, 50, 14, kPush},
    {IDC_STATIC, ControlClass::Static, "Please enter the username and password to access the internet.", 15,
     7, 126, 18, kCentre},
    {IDC_PROXY_USER, ControlClass::Edit, "", 49, 32, 100, 14, kEdit},
    {IDC_PROXY_PASSWORD, ControlClass::Edit, "", 49, 54, 100, 14, kEdit | ES_PASSWORD},
    {IDC_STATIC, ControlClass::Static, "Username:", 9, 35, 35, 8, kLeft},
    {IDC_STATIC, ControlClass::Static, "Password:", 9, 57, 34, 8, kLeft},
};

const ControlTemplate kRequestNameControls[] = {
    {IDOK, ControlClass::Button, "Send Request", 51, 105, 57, 14, kDefPush},
    {IDCANCEL, ControlClass::Button, "Cancel", 119, 105, 50, 14, kPush},
    {IDC_STATIC, ControlClass::Static, "Name to Record: *", 16, 15, 60, 8, kLeft},
    {IDC_STATIC, ControlClass::Static, "Pronunciation Key:", 11, 32, 60, 8, kLeft},
    {IDC_STATIC, ControlClass::Static, "Your Name: *", 33, 49, 43, 8, kLeft},
    {IDC_STATIC, ControlClass::Static, "Your Email Address: *", 8, 66, 68, 8, kLeft},
    {IDC_STATIC, ControlClass::Static, "Comments:", 36, 83, 36, 8, kLeft},
    {IDC_RECORD_NAME, ControlClass::Edit, "", 77, 11, 130, 14, kEdit},
    {IDC_PRONUNCIATION, ControlClass::Edit, "", 77, 28, 130, 14, kEdit},
    {IDC_YOUR_NAME, ControlClass::Edit, "", 77, 45, 130, 14, kEdit},
    {IDC_EMAIL, ControlClass::Edit, "", 77, 62, 130, 14, kEdit},
    {IDC_COMMENTS, ControlClass::Edit, "", 77, 79, 130, 14, kEdit},
    {IDC_STATIC, ControlClass::Static, "(* = Required)", 89, 94, 44, 8, kLeft},
};

const ControlTemplate kInstalledNamesControls[] = {
    {IDOK, ControlClass::Button, "OK", 89, 140, 50, 14, kDefPush},
    {IDC_INSTALLED_LIST, ControlClass::ListView, "", 7, 7, 280, 122, kListView},
    {IDCANCEL, ControlClass::Button, "Cancel", 154, 140, 50, 14, kPush},
};

const DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, "About Zentrimo", 235, 55, kBoxStyle, 0, kFont, 8, kAboutControls},
    {IDD_MAIN_DIALOG, "Velmora Name File Installer", 372, 334,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER |
         DS_SETFONT,
     WS_EX_APPWINDOW, kFont, 8, kMainControls},
    {IDD_PROXY_LOGIN, "", 157, 100, kBoxStyle, 0, kFont, 8, kProxyLoginControls},
    {IDD_REQUEST_NAME, "Request a New Name", 222, 126, kBoxStyle, 0, kFont, 8, kRequestNameControls},
    {IDD_WAIT_NOTICE, "", 147, 51,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFONT, 0, kFont, 8,
     kNoticeControls},
    {IDD_INSTRUCTIONS, "Instructions", 244, 129, kBoxStyle, 0, kFont, 8, kInstructionsControls},
    {IDD_INSTALLED_NAMES, "Names On This Computer", 294, 161, kBoxStyle, 0, kFont, 8,
     kInstalledNamesControls},
};

} // namespace

std::span<const ui::DialogTemplate> ZentrimoDialogs()
{
    return kDialogs;
}
