// What the main window shows on the screen after a layout change: every control of the moved Velmora row
// is painted where it now stands, not left as the background the dialog erased over it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "tests/support/SampleRoadFixture.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

// The pixels of a control's client area: as the dialog's window surface shows them, or as the control
// draws itself when asked to print.
std::vector<COLORREF> Pixels(HDC dc, int left, int top, int width, int height)
{
    std::vector<COLORREF> pixels;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            pixels.push_back(::GetPixel(dc, x, y));
    return pixels;
}

std::vector<COLORREF> Shown(HWND dialog, HWND control)
{
    RECT r;
    ::GetClientRect(control, &r);
    MapWindowPoints(control, dialog, reinterpret_cast<POINT*>(&r), 2);
    HDC dc = ::GetDC(dialog);
    std::vector<COLORREF> pixels = Pixels(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    ::ReleaseDC(dialog, dc);
    return pixels;
}

std::vector<COLORREF> Drawn(HWND control)
{
    RECT r;
    ::GetClientRect(control, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::PrintWindow(control, memory, PW_CLIENTONLY);
    std::vector<COLORREF> pixels = Pixels(memory, 0, 0, width, height);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

class LayoutPaintWin32 : public SampleRoadTest
{
protected:
    // Once every pending paint of the window and its controls is done, each control shows on the
    // screen what it draws.
    void ExpectShownAsDrawn(std::initializer_list<int> ids)
    {
        ::RedrawWindow(dlg->GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        for (int id : ids) {
            HWND control = Item(id).GetSafeHwnd();
            EXPECT_TRUE(Shown(dlg->GetSafeHwnd(), control) == Drawn(control)) << "control " << id;
        }
    }
};

// The save row was hidden and the dialog erased its place without clipping its children; the Velmora
// row moved into that place kept the pixels copied with it and was never painted again: the user saw
// blank buttons and a half-drawn location box.
TEST_F(LayoutPaintWin32, MovedVelmoraRowIsPaintedAfterEachLayoutSwitch)
{
    computer.InstallVelmora();
    OpenWindow();
    ClickWeb();
    ASSERT_TRUE(Peek(*dlg).m_bWebScenario);
    ExpectShownAsDrawn({IDC_BROWSE_VELMORA, IDC_INSTALL, IDC_VELMORA_LOCATION_LABEL, IDC_VELMORA_LOCATION});
    ClickOffline(); // and back, with the save row shown again
    ExpectShownAsDrawn({IDC_BROWSE_VELMORA, IDC_INSTALL, IDC_VELMORA_LOCATION_LABEL, IDC_VELMORA_LOCATION,
                        IDC_BROWSE_SAVE, IDC_DOWNLOAD_SAVE, IDC_SAVE_LOCATION_LABEL, IDC_SAVE_LOCATION});
}

} // namespace
