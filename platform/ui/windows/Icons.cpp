// Icon resources as system icons, built from their 16-colour pixel rows.
#include <map>
#include <vector>

#include "platform/ui/Resources.h"
#include "platform/ui/detail/UiBackend.h"

namespace {

// A 32-bit colour image with alpha and the AND mask, as CreateIconIndirect takes them.
HICON MakeIcon(const ui::IconImage& image, std::span<const DWORD, 16> palette)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour)
        return nullptr;
    // The mask: one bit a pixel, rows padded to 16 bits; set = transparent.
    const int stride = ((image.width + 15) / 16) * 2;
    std::vector<BYTE> mask(static_cast<size_t>(stride * image.height), 0xFF);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < image.height; ++y) {
        const char* row = y < static_cast<int>(image.rows.size()) ? image.rows[static_cast<size_t>(y)] : "";
        bool ended = false;
        for (int x = 0; x < image.width; ++x) {
            ended = ended || row[x] == '\0';
            const int index = ended ? -1 : ui::IconPaletteIndex(row[x]);
            DWORD& pixel = pixels[y * image.width + x];
            if (index < 0) {
                pixel = 0;
                continue;
            }
            pixel = 0xFF000000u | palette[static_cast<size_t>(index)];
            mask[static_cast<size_t>(y * stride + x / 8)] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
        }
    }
    HBITMAP maskBitmap = CreateBitmap(image.width, image.height, 1, 1, mask.data());
    ICONINFO icon{TRUE, 0, 0, maskBitmap, colour};
    HICON handle = CreateIconIndirect(&icon);
    DeleteObject(maskBitmap);
    DeleteObject(colour);
    return handle;
}

} // namespace

HICON AfxLoadIcon(UINT id)
{
    const ui::ResourceModule* module = AfxGetResourceHandle();
    // Icons stay loaded for the life of the process, keyed by module and id, as shared icons are.
    static std::map<std::pair<const ui::ResourceModule*, UINT>, HICON> loaded;
    const ui::IconResource* resource = module ? module->FindIcon(id) : nullptr;
    if (!resource || resource->images.empty())
        return nullptr;
    HICON& slot = loaded[{module, id}];
    if (!slot) {
        // The large picture: the system scales it where a small one is drawn.
        const ui::IconImage* chosen = &resource->images.front();
        for (const ui::IconImage& image : resource->images)
            if (image.width == GetSystemMetrics(SM_CXICON))
                chosen = &image;
        slot = MakeIcon(*chosen, resource->palette);
    }
    return slot;
}
