// Icon 128: a speech bubble holding a sound wave, 32x32 and 16x16 in the 16 standard colours.
#include "res/ResourceParts.h"

#include "res/resource.h"

namespace {

// Black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime, yellow, blue, fuchsia,
// aqua, white: the standard 16-colour palette.
const DWORD kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

const char* const kLarge[] = {
    "................................", "................................",
    ".....0000000000000000000000.....", "...00ffffffffffffffffffffff00...",
    "..0ffffffffcfffffffffffffffff0..", "..0ffffffffcfffffffcfffffffff0..",
    ".0fffffffffcfffffffcffffffffff0.", ".0fffffffcfcfcfffffcffffffffff0.",
    ".0fffffffcfcfcfffcfcfcffffffff0.", ".0fffffcfcfcfcfffcfcfcffffffff0.",
    ".0fffffcfcfcfcfcfcfcfcfcffffff0.", ".0fffcfcfcfcfcfcfcfcfcfcfcffff0.",
    ".0fffcfcfcfcfcfcfcfcfcfcfcffff0.", ".0fffcfcfcfcfcfcfcfcfcfcfcffff0.",
    ".0fffffcfcfcfcfcfcfcfcfcffffff0.", ".0fffffcfcfcfcfffcfcfcffffffff0.",
    ".0fffffffcfcfcfffcfcfcffffffff0.", ".0fffffffcfcfcfffffcffffffffff0.",
    ".0fffffffffcfffffffcffffffffff0.", "..0ffffffffcfffffffcfffffffff0..",
    "..0ffffffffcfffffffffffffffff0..", "...00ffffffffffffffffffffff00...",
    ".....0ffffff000000000000000.....", "......0ffff0....................",
    ".....0ffff0.....................", ".....0fff0......................",
    ".....0ff0.......................", ".....0f0........................",
    "....0f0.........................", "....00..........................",
    "....0...........................", "................................",
};

const char* const kSmall[] = {
    "................", "..000000000000..", ".0fffffcffffff0.", "0ffffcfcfffffff0",
    "0ffffcfcfcfffff0", "0ffcfcfcfcfcfff0", "0ffcfcfcfcfcfff0", "0ffcfcfcfcfcfff0",
    "0ffffcfcfcfffff0", "0ffffcfcfffffff0", ".0fffffcffffff0.", "..0fff00000000..",
    "...0f0..........", "..0f0...........", "..00............", "..0.............",
};

const ui::IconImage kImages[] = {{32, 32, kLarge}, {16, 16, kSmall}};

const ui::IconResource kIcon = {IDR_MAINFRAME, kPalette, kImages};

} // namespace

const ui::IconResource& ZentrimoIcon()
{
    return kIcon;
}
