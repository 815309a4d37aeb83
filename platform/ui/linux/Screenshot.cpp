// Rendering a window's client area into a PNG.
#include "platform/ui/Screenshot.h"

#include <QPixmap>
#include <QWidget>
#include <cstdlib>

#include "platform/ui/CWnd.h"
#include "platform/ui/linux/WidgetOf.h"
#include "platform/ui/detail/UiBackend.h"

BOOL SaveWindowImage(CWnd* pWnd, const std::string& hostPath)
{
    if (!pWnd || !WidgetOf(pWnd))
        return FALSE;
    const QPixmap image = WidgetOf(pWnd)->grab();
    return image.save(QString::fromStdString(hostPath), "PNG") ? TRUE : FALSE;
}

void UseOffscreenRendering()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}
