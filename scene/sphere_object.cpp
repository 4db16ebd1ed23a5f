#include "scene/sphere_object.h"

#include <GL/gl.h>

SphereObject::SphereObject(float radius, int32_t slices, int32_t stacks)
    : quadric(gluNewQuadric()), radius(radius), slices(slices), stacks(stacks) {
  if (!quadric) return;  // out of memory: the object draws no sphere
  gluQuadricNormals(quadric, GLU_SMOOTH);
  gluQuadricTexture(quadric, GL_TRUE);
}

SphereObject::~SphereObject() {
  if (quadric) gluDeleteQuadric(quadric);
}

// GLU's poles lie on its Z axis; turned -90 degrees about X they lie on the
// object's Y axis, with the top edge of the texture at the up pole.
void SphereObject::drawSphere() {
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  if (quadric) gluSphere(quadric, radius, slices, stacks);
}

void SphereObject::compileDisplayList() {
  displayList = static_cast<int32_t>(glGenLists(1));
  glNewList(static_cast<GLuint>(displayList), GL_COMPILE);
  drawSphere();
  glEndList();
}

void SphereObject::draw() {
  beginDraw();
  if (displayList == -1) drawSphere();
}
