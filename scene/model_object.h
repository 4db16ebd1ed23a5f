// A scene object drawn from the first mesh of a 3DS file: from vertex arrays
// (in buffer objects where the driver has them), from a display list, or in
// immediate mode.
#pragma once

#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <cstdint>

#include "scene/scene_object.h"

class ModelObject : public SceneObject {
 public:
  // Loads the file; a file without a usable mesh is released at once and
  // the object then draws nothing. The local transform, when given, is
  // applied to the mesh only.
  explicit ModelObject(const char* fileName, const Matrix4* localTransform = nullptr);
  ~ModelObject() override;

  // Builds the index array and, with buffer-object support, uploads the
  // vertices and texture coordinates. Needs the OpenGL context.
  void prepareArrays();
  void compileDisplayList() override;
  void draw() override;

  Lib3dsFile* file;  // owned; null when there is nothing to draw
  bool prepared;
  int32_t indexCount;
  uint32_t vertexBuffer;    // 0: none
  uint32_t texcoordBuffer;  // 0: none
  uint32_t* indices;        // 3 per face, allocated with malloc

 private:
  // The mesh named by the file's first keyframer node.
  Lib3dsMesh* meshToDraw() const;
};
