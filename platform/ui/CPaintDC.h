// Painting a window during its paint message: the icon drawing a minimised window needs.
#pragma once

#include <memory>

#include "platform/ui/WinTypes.h"

class CWnd;
struct PaintContext;

// Opens painting on the window for the length of the object. Only valid inside OnPaint.
class CPaintDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const;
    BOOL DrawIcon(int x, int y, HICON hIcon);

private:
    std::unique_ptr<PaintContext> m_context;
};

#ifndef _WIN32
// SM_CXICON / SM_CYICON: 32; SM_CXSMICON / SM_CYSMICON: 16; anything else 0. (On Windows: the system's.)
int GetSystemMetrics(int nIndex);
#endif
