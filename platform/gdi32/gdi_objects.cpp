// GDI objects and device contexts: GetStockObject, SelectObject, DeleteObject,
// CreateCompatibleDC, DeleteDC, and the stock font that every device context
// starts with. Not provided: pens, palettes, regions; a
// memory device context has no drawing surface beyond its selected bitmap.
#include "platform/gdi32/gdi_objects.h"

#include "platform/gdi32.h"
#include "platform/gdi32/logical_font.h"

namespace platform {

std::set<GdiObject*>& liveObjects() {
  static std::set<GdiObject*> objects;
  return objects;
}

std::set<DeviceContext*>& liveContexts() {
  static std::set<DeviceContext*> contexts;
  return contexts;
}

namespace {

struct StockObject : GdiObject {
  explicit StockObject(Kind kind) : GdiObject(kind) {
    stock = true;
    liveObjects().insert(this);
  }
};

struct StockFont : LogicalFont {
  StockFont() : LogicalFont(0, FW_DONTCARE, false, "") {
    stock = true;
    handleOf(this);
  }
};

}  // namespace

GdiObject* defaultFont() {
  static StockFont font;
  return &font;
}

GdiObject* gdiObjectFrom(HGDIOBJ handle) {
  auto* object = static_cast<GdiObject*>(handle);
  return liveObjects().count(object) ? object : nullptr;
}

HGDIOBJ handleOf(GdiObject* object) {
  liveObjects().insert(object);
  return object;
}

DeviceContext* deviceContextFrom(HDC dc) {
  auto* context = reinterpret_cast<DeviceContext*>(dc);
  return liveContexts().count(context) ? context : nullptr;
}

HDC handleOf(DeviceContext* context) {
  liveContexts().insert(context);
  return reinterpret_cast<HDC>(context);
}

void forgetDeviceContext(DeviceContext* context) { liveContexts().erase(context); }

}  // namespace platform

using platform::DeviceContext;
using platform::GdiObject;

HGDIOBJ WINAPI GetStockObject(int object) {
  static platform::StockObject blackBrush(GdiObject::Kind::Brush);
  return object == BLACK_BRUSH ? platform::handleOf(&blackBrush) : nullptr;
}

HDC WINAPI CreateCompatibleDC(HDC) {
  // As on Windows, a new memory device context holds a stock 1 x 1 bitmap, so
  // that selecting the first real bitmap answers with that one.
  static platform::StockObject defaultBitmap(GdiObject::Kind::Bitmap);
  auto* context = new DeviceContext();
  context->bitmap = &defaultBitmap;
  return platform::handleOf(context);
}

BOOL WINAPI DeleteDC(HDC dc) {
  DeviceContext* context = platform::deviceContextFrom(dc);
  if (!context || context->window) return FALSE;  // a window's own context is not deleted
  platform::liveContexts().erase(context);
  delete context;
  return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ handle) {
  DeviceContext* context = platform::deviceContextFrom(dc);
  GdiObject* object = platform::gdiObjectFrom(handle);
  if (!context || !object) return nullptr;
  GdiObject** slot = nullptr;
  switch (object->kind) {
    case GdiObject::Kind::Bitmap: slot = &context->bitmap; break;
    case GdiObject::Kind::Font: slot = &context->font; break;
    case GdiObject::Kind::Brush: return nullptr;
  }
  GdiObject* previous = *slot;
  *slot = object;
  return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
  GdiObject* object = platform::gdiObjectFrom(handle);
  if (!object) return FALSE;
  if (object->stock) return TRUE;
  // As on Windows, an object still selected into a context is not deleted.
  for (DeviceContext* context : platform::liveContexts()) {
    if (context->bitmap == object || context->font == object) return FALSE;
  }
  platform::liveObjects().erase(object);
  delete object;
  return TRUE;
}
