// PNG files of read-back pictures, for a person to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// RGB pixels, rows bottom first as glReadPixels gives them. The file is
// written beside its final name and then renamed, so a reader never sees half.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
