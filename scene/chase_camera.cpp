#include "scene/chase_camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "scene/scene_object.h"

ChaseCamera* g_camera = nullptr;

ChaseCamera::ChaseCamera()
    : ChaseCamera(Vector3(), Vector3(0.0, 0.0, -1.0), Vector3(0.0, 1.0, 0.0)) {}

ChaseCamera::ChaseCamera(const Vector3& eye, const Vector3& forward, const Vector3& up)
    : free(true), target(nullptr), eye(eye), forward(forward), up(up) {
  updateView();
}

// The first frame's updateView fills eye, forward, up and view. Until then the
// view is the default camera's, so that a camera built without a usable target
// never hands gluLookAt zero vectors.
ChaseCamera::ChaseCamera(SceneObject* target, const Vector3& offset)
    : free(true), target(nullptr), offset(offset) {
  view.setIdentity();
  setTarget(target);
  if (!target) {
    forward = Vector3(0.0, 0.0, -1.0);
    up = Vector3(0.0, 1.0, 0.0);
  }
}

ChaseCamera& ChaseCamera::setTarget(SceneObject* object) {
  free = object == nullptr;
  target = object;
  return *this;
}

void ChaseCamera::updateView() {
  if (target) {
    const Matrix4& orientation = target->orientation;
    eye = orientation.transformPoint(offset);
    forward = orientation.transformPoint(Vector3(0.0, 0.0, -1.0));
    up = orientation.transformPoint(Vector3(0.0, 1.0, 0.0));
  }
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  gluLookAt(eye.x, eye.y, eye.z, eye.x + forward.x, eye.y + forward.y, eye.z + forward.z, up.x,
            up.y, up.z);
  glGetFloatv(GL_MODELVIEW_MATRIX, view.data());
  glPopMatrix();
}

void recentreWorld() {
  Vector3 shift;
  if (g_camera->target) shift = *g_camera->target->position;
  for (SceneObject* object = g_objects; object; object = object->next) *object->position -= shift;
}
