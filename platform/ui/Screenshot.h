// Rendering a window into an image file.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

class CWnd;

// Renders the window's client area, as it would be painted now, into a PNG at hostPath (a path of
// the host system, as given on a command line). FALSE when the window is not created or the file
// cannot be written.
BOOL SaveWindowImage(CWnd* pWnd, const std::string& hostPath);

// Called before the application object starts, when the program only renders windows into files: no
// display is needed then (none may be there).
void UseOffscreenRendering();
