// Helpers shared inside the dialog layer: control ids, styles, default owner, error report, dialog font.
#include "platform/ui/linux/UiInternal.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>
#include <map>

#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

namespace ui::detail {

int ControlId(const QWidget* widget)
{
    return widget->property(kCtrlIdProperty).toInt();
}

DWORD WindowStyle(const QWidget* widget)
{
    return widget->property(kStyleProperty).value<DWORD>();
}

std::vector<QWidget*> ControlsInOrder(const QWidget* dialog)
{
    std::vector<QWidget*> controls;
    for (QObject* child : dialog->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && widget->property(kOrderProperty).isValid())
            controls.push_back(widget);
    }
    std::sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) {
        return a->property(kOrderProperty).toInt() < b->property(kOrderProperty).toInt();
    });
    return controls;
}

QWidget* DefaultOwner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        return WidgetOf(app->m_pMainWnd);
    return nullptr;
}

QFont DialogFont(const char* faceName, int pointSize)
{
    // The classic dialog face ships as a TrueType file with fonts-wine; it gives 6 x 13 base units
    // at 8 points on a 96 dpi screen, the metrics the templates were laid out for.
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont("/usr/share/wine/fonts/ms_sans_serif.ttf");
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        return families.isEmpty() ? QString() : families.front();
    }();
    const QString face = QString::fromUtf8(faceName ? faceName : "");
    QFont font(face == QLatin1String("MS Sans Serif") && !family.isEmpty() ? family : face);
    // Points at 96 dpi, as the dialog manager sizes the font, so layouts do not follow the screen's dpi.
    font.setPixelSize((pointSize * 96 + 36) / 72);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace ui::detail
