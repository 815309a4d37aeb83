// Icon resources as Qt pixmaps, built from their 16-colour pixel rows.
#include "platform/ui/Resources.h"

#include <QImage>
#include <map>
#include <memory>

#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/detail/UiBackend.h"

namespace {

QPixmap Render(const ui::IconImage& image, std::span<const DWORD, 16> palette)
{
    QImage pixels(image.width, image.height, QImage::Format_ARGB32);
    pixels.fill(Qt::transparent);
    for (int y = 0; y < image.height && y < static_cast<int>(image.rows.size()); ++y) {
        const char* row = image.rows[static_cast<size_t>(y)];
        for (int x = 0; x < image.width && row[x] != '\0'; ++x) {
            const int index = ui::IconPaletteIndex(row[x]);
            if (index >= 0)
                pixels.setPixel(x, y, 0xFF000000u | palette[static_cast<size_t>(index)]);
        }
    }
    return QPixmap::fromImage(pixels);
}

} // namespace

HICON AfxLoadIcon(UINT id)
{
    const ui::ResourceModule* module = AfxGetResourceHandle();
    // Icons stay loaded for the life of the process, keyed by module and id.
    static std::map<std::pair<const ui::ResourceModule*, UINT>, std::unique_ptr<HICON__>> loaded;
    const ui::IconResource* resource = module ? module->FindIcon(id) : nullptr;
    if (!resource)
        return nullptr;
    std::unique_ptr<HICON__>& slot = loaded[{module, id}];
    if (!slot) {
        slot = std::make_unique<HICON__>();
        slot->id = id;
        for (const ui::IconImage& image : resource->images) {
            QPixmap pixmap = Render(image, resource->palette);
            if (image.width == 32 && slot->large.isNull())
                slot->large = pixmap;
            else if (image.width == 16 && slot->small.isNull())
                slot->small = pixmap;
            slot->icon.addPixmap(pixmap);
        }
        if (slot->large.isNull())
            slot->large = slot->small.scaled(32, 32);
        if (slot->small.isNull())
            slot->small = slot->large.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return slot.get();
}
