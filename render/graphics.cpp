#include "render/graphics.h"

VboSupport g_vbo;
HDC g_deviceContext = nullptr;
HGLRC g_glContext = nullptr;
