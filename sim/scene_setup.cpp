#include "sim/scene_setup.h"

#include <GL/gl.h>

#include "scene/chase_camera.h"
#include "scene/model_object.h"
#include "scene/star_background.h"
#include "sim/body.h"
#include "sim/data_files.h"
#include "sim/ship_controller.h"
#include "sim/world_layout.h"

namespace {

constexpr float kPlayerScale = 0.0001f;
constexpr float kGridScale = 0.0005f;

// The models' local transform, composed by OpenGL: turned -90 degrees about X
// (model +Z becomes up, model +Y the nose) and scaled when a scale is given.
Matrix4 modelTransform(const float* scale) {
  Matrix4 transform;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  if (scale) glScalef(*scale, *scale, *scale);
  glGetFloatv(GL_MODELVIEW_MATRIX, transform.data());
  glPopMatrix();
  return transform;
}

// One textured model bound to its body, appended to both lists.
Body* addModel(WorldLists& lists, const ModelFiles& files, const Matrix4& transform,
               const Vector3& position, Mass mass) {
  ModelObject* object = new ModelObject(files.model, &transform);
  object->loadTexture(files.texture);
  object->prepareArrays();
  *object->position = position;
  Body* body = new Body(mass.mantissa, mass.exponent, mass.mantissa, mass.exponent);
  appendToWorld(lists, object, body);
  return body;
}

}  // namespace

void appendToWorld(WorldLists& lists, SceneObject* object, Body* body) {
  *lists.objectTail = object;
  lists.objectTail = &object->next;
  *lists.bodyTail = body;
  lists.bodyTail = &body->next;
  body->sceneObject = object;
  object->body = body;
  body->position = object->position;
}

bool createScene() {
  WorldLists lists;
  const Matrix4 player = modelTransform(&kPlayerScale);
  Body* playerBody = addModel(lists, kPlayerShipFiles, player, playerStart(), kShipMass);
  g_controller = new ShipController(g_objects, playerBody);

  const Matrix4 grid = modelTransform(&kGridScale);
  for (int i = 0; i < kGridSide; ++i) {
    for (int j = 0; j < kGridSide; ++j) {
      addModel(lists, kGridShipFiles, grid, gridShipStart(i, j), kShipMass);
    }
  }

  const Matrix4 planet = modelTransform(nullptr);
  Body* earth = addModel(lists, kEarthFiles, planet, earthStart(), kEarthMass);
  earth->angularVelocity[1] = kEarthSpin;
  addModel(lists, kMoonFiles, planet, moonStart(), kMoonMass);

  g_camera = new ChaseCamera(g_objects,
                             Vector3(0.0, static_cast<double>(0.02f), static_cast<double>(0.07f)));
  g_background = new StarBackground(g_camera, kStarFieldFile, 1.0f, 1.0f);
  return true;
}
