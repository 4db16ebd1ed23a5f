// The text font: one display list per character, made once from a bitmap font
// whose size follows the display width.
#pragma once

#include <cstdint>

// The first of 96 consecutive glyph lists: list HudFont + k draws character
// 32 + k at the raster position and advances it. 0 until the font is built.
extern uint32_t HudFont;

// Makes the glyph lists from the face "Agency FB", or whatever face the font
// mapper puts in its place. Needs the current context and g_deviceContext.
void buildFont();
// Draws a zero-terminated string of characters 32 to 127 from the current
// raster position in the current raster colour; nothing before the font is built.
void printText(const char* text);
