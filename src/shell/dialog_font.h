#pragma once

struct FONT;

// The library's mono font with a blank pixel row above and below every
// glyph, for the mode dialog. Null when the font is not a mono font or
// memory runs out; the dialog then keeps the plain font.
FONT* make_padded_font(const FONT* source);
