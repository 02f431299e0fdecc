// The standard fonts of the widget layer, by number. Every one of them is
// drawn from the same built-in glyph table: Arial at 11 pixels (from Liberation
// Sans, its metric twin), the only size the editor uses.
#pragma once

enum CFont {
    kSystemFont = 0,
    kNormalFontVeryBig,
    kNormalFontBig,
    kNormalFont,
    kNormalFontSmall,  // 4: Arial 11 px
    kNormalFontSmaller,
    kNormalFontVerySmall,
    kSymbolFont,
};
