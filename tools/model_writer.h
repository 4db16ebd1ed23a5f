// Meshes written as 3DS files through lib3ds's own writer.
#pragma once

#include <string>

#include "tools/meshes.h"

// One mesh named `name`, and a first keyframer node that names it.
bool write3ds(const std::string& path, const std::string& name, const Mesh& mesh);
