// Inside the stand-in: device contexts and the GDI objects that can be
// selected into them. A window's own device context (GetDC), a memory device
// context (CreateCompatibleDC), DIB sections and fonts all meet here, so that
// SelectObject, DeleteObject and DeleteDC serve every kind.
#pragma once

#include <set>

#include "platform/types.h"

namespace platform {

struct GdiObject {
  enum class Kind { Brush, Bitmap, Font };
  explicit GdiObject(Kind kind) : kind(kind) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  const Kind kind;
  bool stock = false;  // stock objects are never deleted
};

// The stock font that every device context starts with, as Windows gives each
// one its system font; selecting a font out of a context hands this one back.
GdiObject* defaultFont();

struct DeviceContext {
  HWND window = nullptr;  // null for a memory device context
  GdiObject* bitmap = nullptr;
  GdiObject* font = defaultFont();
};

// The object behind a handle, or null for a handle that is not a GDI object.
GdiObject* gdiObjectFrom(HGDIOBJ handle);
HGDIOBJ handleOf(GdiObject* object);
DeviceContext* deviceContextFrom(HDC dc);
HDC handleOf(DeviceContext* context);
// Forgets a window's own device context when the window is destroyed.
void forgetDeviceContext(DeviceContext* context);
// Every live object and context, so that a stale or foreign handle is
// recognised instead of being dereferenced.
std::set<GdiObject*>& liveObjects();
std::set<DeviceContext*>& liveContexts();

}  // namespace platform
