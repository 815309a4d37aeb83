// Rendering a window's client area into a PNG.
#include "platform/ui/Screenshot.h"

#include <QPixmap>
#include <QWidget>

#include "platform/ui/CWnd.h"

BOOL SaveWindowImage(CWnd* pWnd, const std::string& hostPath)
{
    if (!pWnd || !pWnd->GetWidget())
        return FALSE;
    const QPixmap image = pWnd->GetWidget()->grab();
    return image.save(QString::fromStdString(hostPath), "PNG") ? TRUE : FALSE;
}
