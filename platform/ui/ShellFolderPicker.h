// The shell's folder picker and the component-library bracket around it.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

// The layer's own entry in place of the shell's, so that a modal driver can answer the picker; it shows
// the system's picker otherwise. Null when cancelled.
LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* info);

#ifndef _WIN32
// On Windows the rest is the shell's.

// The component library needs no set-up here; the pair is kept so callers bracket the picker.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();

// Writes the item's path in Windows form into path (260 characters); FALSE and an empty path when
// the item is no file-system folder.
BOOL SHGetPathFromIDList(LPCITEMIDLIST item, char* path);
void CoTaskMemFree(void* block);
#endif
