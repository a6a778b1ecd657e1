// A small blocky 5x7 alphabet for signs and the title.
#pragma once
#include <string_view>

#include "canvas.h"

namespace cggen {

// Rows of a glyph, 5 bits each (bit 4 is the left column); nullptr for unknown characters.
const unsigned char* glyph_rows(char c);

// Width in font cells of a text (5 per glyph, 6 when bold, 1 between glyphs, 3 for a space).
int text_cells(std::string_view text, bool bold = false);

// Draws text with each font cell as a block of `cell` x `cell` pixels; bold doubles the strokes.
void draw_text(Canvas& cv, int x, int y, std::string_view text, int cell, uint8_t colour, bool bold = false);

}  // namespace cggen
