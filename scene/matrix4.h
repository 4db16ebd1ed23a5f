// A 4x4 single-precision matrix in OpenGL's column-major order, exchanged with
// OpenGL as it stands.
#pragma once

#include "scene/vector3.h"

struct Matrix4 {
  float m[16];  // element k: row k % 4 of column k / 4; 12..14 the translation

  float* data() { return m; }
  const float* data() const { return m; }

  void setIdentity();
  // Applies the matrix to the column (x, y, z, 1), without a division by w.
  Vector3 transformPoint(const Vector3& v) const;
};
