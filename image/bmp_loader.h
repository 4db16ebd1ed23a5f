// Windows bitmap files (with or without the file header; core or info header)
// decoded to RgbImage.
#pragma once

#include "image/rgb_image.h"
#include "platform/win32.h"

// The picture of a BMP file, or null after a failure that has already been
// shown in an "Error" message box. The caller frees the pixels and then the
// record, both with free.
RgbImage* loadBmpImage(const char* fileName);
// The same for a UTF-16 file name.
RgbImage* loadBmpImage(LPCWSTR fileName);
