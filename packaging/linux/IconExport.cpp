// zentrimo-icon-export: writes the program's own icon pictures as PNG files for the desktop's icon theme.
#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "res/ResourceParts.h"

namespace {

QImage Picture(const ui::IconImage& image, std::span<const DWORD, 16> palette)
{
    QImage pixels(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int index = ui::IconPaletteIndex(image.rows[static_cast<size_t>(y)][x]);
            if (index < 0) {
                pixels.setPixel(x, y, 0);
                continue;
            }
            pixels.setPixel(x, y, 0xFF000000u | palette[static_cast<size_t>(index)]);
        }
    }
    return pixels;
}

} // namespace

// Usage: zentrimo-icon-export FOLDER ICON-NAME SIZE...
// Each SIZE is drawn from the largest picture it is a whole multiple of, enlarged without smoothing,
// so the theme's icons show the same pixels as the window's own icon.
int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: zentrimo-icon-export FOLDER ICON-NAME SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const ui::IconResource& icon = ZentrimoIcon();
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const ui::IconImage* source = nullptr;
        for (const ui::IconImage& image : icon.images) {
            if (size > 0 && size % image.width == 0 && (!source || image.width > source->width))
                source = &image;
        }
        if (!source) {
            std::fprintf(stderr, "zentrimo-icon-export: no picture fits %s pixels\n", argv[i]);
            return 1;
        }
        const QImage picture =
            Picture(*source, icon.palette).scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString path = apps + QStringLiteral("/%1.png").arg(name);
        if (!QDir().mkpath(apps) || !picture.save(path, "PNG")) {
            std::fprintf(stderr, "zentrimo-icon-export: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
