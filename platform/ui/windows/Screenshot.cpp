// Rendering a window's client area into a PNG: the window and its controls paint now, their pixels are
// copied from the window, the rows are stored as an 8-bit RGB PNG with zlib.
#include "platform/ui/Screenshot.h"

#include <cstdio>
#include <memory>
#include <vector>
#include <zlib.h>

#include "platform/ui/CWnd.h"
#include "platform/ui/windows/WideText.h"
#include "platform/ui/detail/UiBackend.h"

namespace {

void PutBigEndian(std::vector<unsigned char>& out, uLong value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data)
{
    PutBigEndian(out, static_cast<uLong>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, crc32(0, out.data() + start, static_cast<uInt>(out.size() - start)));
}

// BGRX pixels, top-down, to a PNG file's bytes; empty when compression fails.
std::vector<unsigned char> EncodePng(const DWORD* pixels, int width, int height)
{
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no row filter
        for (int x = 0; x < width; ++x) {
            const DWORD p =
                pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            raw.push_back(static_cast<unsigned char>((p >> 16) & 0xFF));
            raw.push_back(static_cast<unsigned char>((p >> 8) & 0xFF));
            raw.push_back(static_cast<unsigned char>(p & 0xFF));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian(header, static_cast<uLong>(width));
    PutBigEndian(header, static_cast<uLong>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

} // namespace

BOOL SaveWindowImage(CWnd* pWnd, const std::string& hostPath)
{
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    RECT client{};
    if (!hWnd || !::GetClientRect(hWnd, &client) || client.right <= 0 || client.bottom <= 0)
        return FALSE;
    const int width = client.right;
    const int height = client.bottom;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!memory || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
        return FALSE;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    // PrintWindow leaves the child controls out under some systems; copying the painted client area
    // keeps them.
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC window = GetDC(hWnd);
    const BOOL painted = window && BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
    if (window)
        ReleaseDC(hWnd, window);
    GdiFlush();
    std::vector<unsigned char> png =
        painted ? EncodePng(static_cast<const DWORD*>(bits), width, height) : std::vector<unsigned char>();
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    if (png.empty())
        return FALSE;

    FILE* file = _wfopen(ui::detail::ToWide(hostPath).c_str(), L"wb");
    if (!file)
        return FALSE;
    const bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    return fclose(file) == 0 && written ? TRUE : FALSE;
}

void UseOffscreenRendering()
{
    // A window is rendered into its image by the system without being shown: nothing to prepare.
}
