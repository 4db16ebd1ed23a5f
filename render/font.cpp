#include "render/font.h"

#include <cstring>

#include "app/display_settings.h"
#include "platform/win32.h"
#include "render/graphics.h"

uint32_t HudFont = 0;

namespace {

constexpr uint32_t kFirstCharacter = 32;
constexpr GLsizei kCharacterCount = 96;

}  // namespace

void buildFont() {
  // About 20 pixels at a width of 1024: the text scales with the display
  // width, not its height. Negative asks for the character height, without
  // the internal leading. In 64 bits so that no configured width overflows.
  const auto height = static_cast<int32_t>(int64_t{g_display.Width} * -20 / 1024);
  HudFont = glGenLists(kCharacterCount);
  // Without list names there is nothing to draw into; printText then draws nothing.
  if (HudFont == 0) return;
  const HFONT font =
      CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Agency FB");
  const HGDIOBJ previous = SelectObject(g_deviceContext, font);
  wglUseFontBitmapsA(g_deviceContext, kFirstCharacter, kCharacterCount, HudFont);
  // The lists keep the glyphs; the font itself is not needed any more.
  SelectObject(g_deviceContext, previous);
  DeleteObject(font);
}

void printText(const char* text) {
  // With no font, the lists that the characters would call belong to others.
  if (HudFont == 0) return;
  glPushAttrib(GL_LIST_BIT);
  glListBase(HudFont - kFirstCharacter);
  glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
  glPopAttrib();
}
