// Writing a DLGTEMPLATEEX: the header, the font, then each control on a DWORD boundary.
#include "platform/ui/windows/DialogTemplates.h"

#include "platform/ui/windows/WideText.h"

namespace ui::detail {

namespace {

class TemplateWriter
{
public:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value)
    {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Short(int value) { Word(static_cast<WORD>(static_cast<short>(value))); }
    void Text(const std::wstring& text)
    {
        for (wchar_t c : text)
            Word(static_cast<WORD>(c));
        Word(0);
    }
    void AlignToDword()
    {
        if (m_words.size() % 2)
            Word(0);
    }
    size_t Size() const { return m_words.size(); }
    void Patch(size_t at, WORD value) { m_words[at] = value; }

    std::vector<DWORD> Finish()
    {
        AlignToDword();
        std::vector<DWORD> out(m_words.size() / 2);
        memcpy(out.data(), m_words.data(), m_words.size() * sizeof(WORD));
        return out;
    }

private:
    std::vector<WORD> m_words;
};

} // namespace

const wchar_t* SystemClassOf(ControlClass windowClass)
{
    switch (windowClass) {
    case ControlClass::Button:
        return L"Button";
    case ControlClass::Edit:
        return L"Edit";
    case ControlClass::Static:
        return L"Static";
    case ControlClass::ListView:
        return WC_LISTVIEWW;
    }
    return L"Static";
}

std::vector<DWORD> BuildDialogTemplate(const DialogTemplate& tmpl)
{
    TemplateWriter out;
    // A template without its own font would get the system font and other base units.
    const bool hasFont = tmpl.fontName != nullptr;
    const DWORD style = (tmpl.style & ~static_cast<DWORD>(WS_VISIBLE)) | (hasFont ? DS_SETFONT : 0);

    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature: extended template
    out.Dword(0);     // helpID
    out.Dword(tmpl.exStyle);
    out.Dword(style);
    out.Word(static_cast<WORD>(tmpl.controls.size()));
    out.Short(0); // x, y: placed by DS_CENTER or by the owner
    out.Short(0);
    out.Short(tmpl.cx);
    out.Short(tmpl.cy);
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(ToWide(tmpl.caption ? tmpl.caption : ""));
    if (hasFont) {
        out.Word(static_cast<WORD>(tmpl.pointSize));
        out.Word(FW_NORMAL);
        out.Word(MAKEWORD(FALSE, DEFAULT_CHARSET)); // italic, charset
        out.Text(ToWide(tmpl.fontName));
    }

    for (const ControlTemplate& c : tmpl.controls) {
        out.AlignToDword();
        out.Dword(0); // helpID
        out.Dword(c.exStyle);
        out.Dword(c.style);
        out.Short(c.x);
        out.Short(c.y);
        out.Short(c.cx);
        out.Short(c.cy);
        out.Dword(static_cast<DWORD>(c.id));
        out.Text(SystemClassOf(c.windowClass));
        // An icon static gets its picture after creation (the icons are not module resources here).
        out.Text(c.windowClass == ControlClass::Static && (c.style & SS_TYPEMASK) == SS_ICON
                     ? std::wstring()
                     : ToWide(c.text ? c.text : ""));
        out.Word(0); // no creation data
    }
    return out.Finish();
}

} // namespace ui::detail
