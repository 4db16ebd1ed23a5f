#include "scene/scene_object.h"

#include <GL/gl.h>

SceneObject* g_objects = nullptr;

SceneObject::SceneObject()
    : displayList(-1),
      texture(-1),
      position(new Vector3()),
      forward(0.0, 0.0, -1.0),
      up(0.0, 1.0, 0.0),
      rotationX(0.0f),
      rotationY(0.0f),
      rotationZ(0.0f),
      body(nullptr),
      next(nullptr),
      hasLocalTransform(false) {
  orientation.setIdentity();
}

SceneObject::~SceneObject() {
  delete position;
  if (displayList != -1) glDeleteLists(static_cast<GLuint>(displayList), 1);
}

void SceneObject::compileDisplayList() {}

void SceneObject::draw() { beginDraw(); }

void SceneObject::applyRotations() {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadMatrixf(orientation.data());
  glRotatef(rotationX, 1.0f, 0.0f, 0.0f);
  glRotatef(rotationY, 0.0f, 1.0f, 0.0f);
  glRotatef(rotationZ, 0.0f, 0.0f, 1.0f);
  glGetFloatv(GL_MODELVIEW_MATRIX, orientation.data());
  glPopMatrix();
}

void SceneObject::beginDraw() {
  glTranslated(position->x, position->y, position->z);
  glMultMatrixf(orientation.data());
  forward = orientation.transformPoint(Vector3(0.0, 0.0, -1.0));
  up = orientation.transformPoint(Vector3(0.0, 1.0, 0.0));
  if (texture != -1) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
  if (displayList != -1) glCallList(static_cast<GLuint>(displayList));
  rotationZ = 0.0f;
  rotationY = 0.0f;
  rotationX = 0.0f;
}
