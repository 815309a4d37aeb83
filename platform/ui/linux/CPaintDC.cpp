// Painting inside a paint message: icon drawing and the system's icon sizes.
#include "platform/ui/CPaintDC.h"

#include <QPainter>

#include "platform/ui/CWnd.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/detail/UiBackend.h"

struct PaintContext
{
    explicit PaintContext(QWidget* widget) : painter(widget) {}
    QPainter painter;
};

CPaintDC::CPaintDC(CWnd* pWnd)
{
    if (pWnd && WidgetOf(pWnd))
        m_context = std::make_unique<PaintContext>(WidgetOf(pWnd));
}

CPaintDC::~CPaintDC() = default;

HDC CPaintDC::GetSafeHdc() const
{
    return reinterpret_cast<HDC>(m_context ? &m_context->painter : nullptr);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (!m_context || !m_context->painter.isActive() || !hIcon)
        return FALSE;
    m_context->painter.drawPixmap(x, y, hIcon->large);
    return TRUE;
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    default:
        return 0;
    }
}
