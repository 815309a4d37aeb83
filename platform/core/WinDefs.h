// The Win32 names (types, handles, constants, error codes) the platform layer speaks in: the SDK's on
// Windows, ours with the same names and values on Linux, all in this one header.
#pragma once

#ifdef _WIN32

// The SDK decides the types (DWORD is unsigned long there), so code written against these names
// compiles unchanged on both builds. winsock2.h goes before windows.h, which would bring the old one.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <vfw.h>
#include <wininet.h>

using HOSTENT = hostent;

// The SDK spells many of its functions as a macro for the A or W function. The layer declares free
// functions of some of those names (DeleteFile(const std::string&), ...); under the macro a call with a
// string literal would silently reach the SDK's DeleteFileA instead of the layer. So these macros go here,
// once, after every SDK header that defines them, and the layer's backends call the SDK by its A or W
// names. Member functions of such names (CWnd::MessageBox, CFileFind::FindNextFile, ...) keep the macro:
// every file sees the SDK first through this header, so a member is renamed alike everywhere, and the
// SDK's own macros (ListView_*, through SendMessage) go on working.
#undef AnsiToOem
#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef GetFileAttributes
#undef MCIWndCreate
#undef MCIWndDestroy
#undef MCIWndGetError
#undef OemToAnsi
#undef RegOpenKeyEx
#undef RemoveDirectory
#undef SetFileAttributes
#undef SHBrowseForFolder

#else

#include <cstdint>

// Scalars, with the sizes of the Windows types on a 64-bit Linux: DWORD and LONG stay 32 bits wide.
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HRESULT = long;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr HRESULT S_OK = 0;

constexpr WORD LOWORD(WPARAM v)
{
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(WPARAM v)
{
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high)
{
    return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}
constexpr WORD MAKEWORD(unsigned low, unsigned high)
{
    return static_cast<WORD>((low & 0xFF) | ((high & 0xFF) << 8));
}
constexpr unsigned LOBYTE(WORD w)
{
    return w & 0xFF;
}
constexpr unsigned HIBYTE(WORD w)
{
    return (w >> 8) & 0xFF;
}

// The general error codes (GetLastError, registry results, internet errors outside WinINet's range).
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;

// ---- Files: attribute bits as the program sees them.
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// ---- Registry.
using REGSAM = DWORD;

struct HKEY__;
using HKEY = HKEY__*;

inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

// ---- Internet (WinINet's numbering).
using INTERNET_PORT = std::uint16_t;

// Session access types.
constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0; // the environment's proxy settings (http_proxy, no_proxy)
constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
constexpr DWORD INTERNET_OPEN_TYPE_PROXY = 3;

constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
constexpr INTERNET_PORT INTERNET_INVALID_PORT_NUMBER = 0; // "use the default", or the port in the host text

// Options for SetOption on a session or a request.
constexpr DWORD INTERNET_OPTION_CONNECT_TIMEOUT = 2;
constexpr DWORD INTERNET_OPTION_RECEIVE_TIMEOUT = 6;
constexpr DWORD INTERNET_OPTION_PROXY_USERNAME = 43;
constexpr DWORD INTERNET_OPTION_PROXY_PASSWORD = 44;

// Request flags.
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
constexpr DWORD INTERNET_FLAG_KEEP_CONNECTION = 0x00400000;
constexpr DWORD INTERNET_FLAG_EXISTING_CONNECT = 0x20000000;

// Information levels for CHttpFile::QueryInfo.
constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD HTTP_QUERY_RAW_HEADERS_CRLF = 22;

constexpr DWORD HTTP_STATUS_OK = 200;
constexpr DWORD HTTP_STATUS_MOVED = 301;
constexpr DWORD HTTP_STATUS_REDIRECT = 302;
constexpr DWORD HTTP_STATUS_REDIRECT_METHOD = 303;
constexpr DWORD HTTP_STATUS_PROXY_AUTH_REQ = 407;

constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr DWORD ERROR_HTTP_REDIRECT_FAILED = 12156;

// ---- Sockets.
inline constexpr int SOCKET_ERROR = -1;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;

struct WSADATA
{
    WORD wVersion = 0;     // granted
    WORD wHighVersion = 0; // highest supported
    char szDescription[257] = {};
    char szSystemStatus[129] = {};
    unsigned short iMaxSockets = 0;
    unsigned short iMaxUdpDg = 0;
    char* lpVendorInfo = nullptr;
};

// Result of a lookup; valid until the next lookup on the same thread.
struct HOSTENT
{
    char* h_name = nullptr;
    char** h_aliases = nullptr;
    short h_addrtype = 0;
    short h_length = 0;
    char** h_addr_list = nullptr; // null-terminated
};

// ---- Windows and dialogs. A window handle names a live widget of the dialog layer (or a hidden
// player of the media layer); an icon handle names an icon resource loaded once and kept for the life
// of the process (as shared icons are).
struct HWND__;
using HWND = HWND__*;
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HDC__;
using HDC = HDC__*;

struct POINT
{
    long x;
    long y;
};

struct RECT
{
    long left;
    long top;
    long right;
    long bottom;
};

using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;

// Dialog results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Messages the layer routes through message tables (Windows numbering).
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYDRAGICON = 0x0037;
constexpr UINT WM_ICONERASEBKGND = 0x0027;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;

// Notification codes.
constexpr UINT BN_CLICKED = 0;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);

struct NMHDR
{
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};

// Message boxes.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONMASK = 0x000000F0;

// ShowWindow.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Button check states.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// RedrawWindow.
constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_UPDATENOW = 0x0100;

// Window icons.
constexpr BOOL ICON_SMALL = FALSE;
constexpr BOOL ICON_BIG = TRUE;

// GetSystemMetrics.
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;

// Menus.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_BYPOSITION = 0x0400;

// System commands (the low four bits are used by the system and must be masked off).
constexpr UINT SC_SIZE = 0xF000;
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_MAXIMIZE = 0xF030;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_KEYMENU = 0xF100;
constexpr UINT SC_RESTORE = 0xF120;

// List views.
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVIF_TEXT = 0x0001;

// File-open picker options.
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000;

// The shell's folder picker: options and the picked item of its namespace (freed with CoTaskMemFree).
constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_EDITBOX = 0x0010;

struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;

struct BROWSEINFO
{
    HWND hwndOwner = nullptr;
    LPCITEMIDLIST pidlRoot = nullptr; // null: the top of the namespace (every drive)
    char* pszDisplayName = nullptr;   // receives the picked folder's own name (260 characters)
    const char* lpszTitle = nullptr;
    UINT ulFlags = 0; // BIF_EDITBOX adds a box to type a folder name
};

// Window styles (dialog templates).
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000; // shares its bit with WS_GROUP; only top-level windows read it
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000; // shares its bit with WS_TABSTOP
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

// Dialog styles.
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_CENTER = 0x0800;

// Button styles (the low four bits are the button kind).
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;

// Edit styles.
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;

// Static styles (the low five bits are the static kind).
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_ICON = 0x0003;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_NOPREFIX = 0x0080;

// List-view styles.
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;

// ---- The media player window (vfw's numbering). A player is a window that is never shown.
constexpr unsigned MCIWNDM_GETMODEA = 0x46A;       // result: one of the MCI_MODE_ values
constexpr unsigned MCIWNDM_SETTIMEFORMATA = 0x477; // lParam: const char* "ms"; result 0 or an MCIERR_
constexpr unsigned MCI_PLAY = 0x806;               // starts playback and returns at once; 0 or an MCIERR_
constexpr unsigned MCI_STOP = 0x808;

constexpr long MCI_MODE_NOT_READY = 524; // the file could not be opened as a wave clip
constexpr long MCI_MODE_STOP = 525;
constexpr long MCI_MODE_PLAY = 526;

constexpr long MCIERR_HARDWARE = 262;       // no audio device could be opened
constexpr long MCIERR_FILE_NOT_FOUND = 275; // no readable wave clip behind the player
constexpr long MCIERR_BAD_TIME_FORMAT = 293;
constexpr long MCIERR_UNRECOGNIZED_COMMAND = 261;

#endif // _WIN32
