// The kinds of damage that crash or hang lib3ds when it reads a model file,
// each done in place to the bytes of a sound model with a mesh of faces and
// a keyframer object node (such as the generated ones). A damaged model must
// load as nothing, and the program must carry on without it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::string> modelDamageNames();
void damageModel(const std::string& name, std::vector<uint8_t>& model);
