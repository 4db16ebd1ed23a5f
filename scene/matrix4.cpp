#include "scene/matrix4.h"

void Matrix4::setIdentity() {
  for (float& element : m) element = 0.0f;
  m[0] = m[5] = m[10] = m[15] = 1.0f;
}

Vector3 Matrix4::transformPoint(const Vector3& v) const {
  auto e = [this](int k) { return static_cast<double>(m[k]); };
  return {e(0) * v.x + e(4) * v.y + e(8) * v.z + e(12),
          e(1) * v.x + e(5) * v.y + e(9) * v.z + e(13),
          e(2) * v.x + e(6) * v.y + e(10) * v.z + e(14)};
}
