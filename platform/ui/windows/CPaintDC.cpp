// Painting a window between BeginPaint and EndPaint.
#include "platform/ui/CPaintDC.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/detail/UiBackend.h"

struct PaintContext
{
    HWND hWnd;
    PAINTSTRUCT paint;
    HDC dc;
};

CPaintDC::CPaintDC(CWnd* pWnd)
{
    if (HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr) {
        m_context = std::make_unique<PaintContext>();
        m_context->hWnd = hWnd;
        m_context->dc = BeginPaint(hWnd, &m_context->paint);
    }
}

CPaintDC::~CPaintDC()
{
    if (m_context)
        EndPaint(m_context->hWnd, &m_context->paint);
}

HDC CPaintDC::GetSafeHdc() const
{
    return m_context ? m_context->dc : nullptr;
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON hIcon)
{
    return m_context && m_context->dc ? ::DrawIcon(m_context->dc, x, y, hIcon) : FALSE;
}
