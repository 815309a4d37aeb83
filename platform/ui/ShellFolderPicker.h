// The shell's folder picker and the component-library bracket around it.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

#ifdef _WIN32

#include <shlobj.h>

// The layer's own entry in place of the shell's, so that a modal driver can answer the picker; it
// shows the shell's picker otherwise. The rest (SHGetPathFromIDList, CoTaskMemFree) is the shell's.
#undef SHBrowseForFolder
LPITEMIDLIST SHBrowseForFolder(BROWSEINFOA* info);

#else

using HRESULT = long;
constexpr HRESULT S_OK = 0;

// The component library needs no set-up here; the pair is kept so callers bracket the picker.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();

// A picked item of the shell's namespace; free it with CoTaskMemFree.
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

// Shows the picker modally; null when cancelled.
LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* info);
// Writes the item's path in Windows form into path (260 characters); FALSE and an empty path when
// the item is no file-system folder.
BOOL SHGetPathFromIDList(LPCITEMIDLIST item, char* path);
void CoTaskMemFree(void* block);

#endif // _WIN32
