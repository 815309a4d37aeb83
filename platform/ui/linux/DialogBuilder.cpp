// Template controls to widgets: buttons, radio buttons, edits, statics, icons, group boxes, list views.
#include "platform/ui/linux/DialogBuilder.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "platform/ui/CDialog.h"
#include "platform/ui/linux/ListView.h"
#include "platform/ui/linux/UiInternal.h"

namespace ui::detail {

namespace {

// An automatic radio button of its own group: a click checks it and never unchecks it, and it
// leaves every other button alone.
class RadioButton : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override { setChecked(true); }
};

int MulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

QWidget* MakeButton(QWidget& dialog, const ControlTemplate& c, CDialog& owner)
{
    const DWORD kind = c.style & BS_TYPEMASK;
    const WORD id = static_cast<WORD>(c.id);
    if (kind == BS_GROUPBOX) {
        auto* group = new QGroupBox(ToQt(c.text), &dialog);
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    QAbstractButton* button = nullptr;
    if (kind == BS_AUTORADIOBUTTON) {
        button = new RadioButton(ToQt(c.text), &dialog);
        button->setAutoExclusive(false);
    } else {
        auto* push = new QPushButton(ToQt(c.text), &dialog);
        push->setAutoDefault(false);
        push->setDefault(kind == BS_DEFPUSHBUTTON);
        button = push;
    }
    QObject::connect(button, &QAbstractButton::clicked, &dialog, [&owner, button, id] {
        owner.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ToHwnd(button)));
    });
    return button;
}

QWidget* MakeEdit(QWidget& dialog, const ControlTemplate& c, CDialog& owner)
{
    auto* edit = new QLineEdit(ToQt(c.text), &dialog);
    edit->setReadOnly((c.style & ES_READONLY) != 0);
    edit->setFrame((c.style & WS_BORDER) != 0);
    if (c.style & ES_PASSWORD)
        edit->setEchoMode(QLineEdit::Password);
    const WORD id = static_cast<WORD>(c.id);
    // textChanged fires for the user's typing and for text set from code alike.
    QObject::connect(edit, &QLineEdit::textChanged, &dialog, [&owner, edit, id] {
        owner.SendMessage(WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(ToHwnd(edit)));
    });
    return edit;
}

QWidget* MakeStatic(QWidget& dialog, const ControlTemplate& c)
{
    auto* label = new QLabel(&dialog);
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    const DWORD kind = c.style & SS_TYPEMASK;
    if (kind == SS_ICON) {
        if (HICON icon = AfxLoadIcon(c.imageId)) {
            label->setProperty(kBigIconProperty, QVariant::fromValue(reinterpret_cast<quintptr>(icon)));
            label->setPixmap(icon->large);
        }
        return label;
    }
    label->setText(ToQt(c.text));
    label->setWordWrap(true);
    label->setAlignment((kind == SS_CENTER ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setContentsMargins(0, 0, 0, 0);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

QWidget* MakeListView(QWidget& dialog, const ControlTemplate& c, CDialog& owner)
{
    auto* view = new ListView(&dialog);
    view->setFrameShape((c.style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    const UINT_PTR id = static_cast<UINT_PTR>(c.id);
    view->onDoubleClick = [&owner, view, id] {
        NMHDR header{ToHwnd(view), id, NM_DBLCLK};
        owner.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    };
    return view;
}

} // namespace

CPoint BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int extent =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return CPoint((extent / 26 + 1) / 2, metrics.height());
}

int HorizontalPixels(int dialogUnits, const CPoint& baseUnits)
{
    return MulDiv(dialogUnits, static_cast<int>(baseUnits.x), 4);
}

int VerticalPixels(int dialogUnits, const CPoint& baseUnits)
{
    return MulDiv(dialogUnits, static_cast<int>(baseUnits.y), 8);
}

void BuildControls(QWidget& dialog, const DialogTemplate& tmpl, const CPoint& baseUnits, CDialog& owner)
{
    std::vector<QWidget*> tabStops;
    std::vector<QWidget*> created;
    for (const ControlTemplate& c : tmpl.controls) {
        QWidget* widget = nullptr;
        switch (c.windowClass) {
        case ControlClass::Button:
            widget = MakeButton(dialog, c, owner);
            break;
        case ControlClass::Edit:
            widget = MakeEdit(dialog, c, owner);
            break;
        case ControlClass::Static:
            widget = MakeStatic(dialog, c);
            break;
        case ControlClass::ListView:
            widget = MakeListView(dialog, c, owner);
            break;
        }
        widget->setProperty(kCtrlIdProperty, c.id);
        widget->setProperty(kOrderProperty, static_cast<int>(created.size()));
        widget->setProperty(kStyleProperty, QVariant::fromValue<DWORD>(c.style));
        int cx = HorizontalPixels(c.cx, baseUnits);
        int cy = VerticalPixels(c.cy, baseUnits);
        if (c.windowClass == ControlClass::Static && (c.style & SS_TYPEMASK) == SS_ICON)
            cx = cy = 32; // an icon static takes the size of its icon
        widget->setGeometry(HorizontalPixels(c.x, baseUnits), VerticalPixels(c.y, baseUnits), cx, cy);
        widget->setEnabled((c.style & WS_DISABLED) == 0);
        widget->setVisible((c.style & WS_VISIBLE) != 0);
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (c.style & WS_TABSTOP) {
                widget->setFocusPolicy(Qt::StrongFocus);
                tabStops.push_back(widget);
            } else {
                widget->setFocusPolicy(Qt::ClickFocus);
            }
        }
        created.push_back(widget);
    }
    for (size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1], tabStops[i]);
    // The first control of a template lies on top of the ones after it.
    for (QWidget* widget : created)
        widget->lower();
}

} // namespace ui::detail
