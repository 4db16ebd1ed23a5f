#include "sim/scene_setup.h"

#include <GL/gl.h>

#include "scene/chase_camera.h"
#include "scene/model_object.h"
#include "scene/star_background.h"
#include "sim/body.h"
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

// The ends of the two lists as they grow.
struct Lists {
  SceneObject** objectTail = &g_objects;
  Body** bodyTail = &g_bodies;
};

// One textured model bound to its body, appended to both lists.
Body* addModel(Lists& lists, const char* modelFile, const char* textureFile,
               const Matrix4& transform, const Vector3& position, Mass mass) {
  ModelObject* object = new ModelObject(modelFile, &transform);
  *lists.objectTail = object;
  lists.objectTail = &object->next;
  object->loadTexture(textureFile);
  object->prepareArrays();
  *object->position = position;

  Body* body = new Body(mass.mantissa, mass.exponent, mass.mantissa, mass.exponent);
  *lists.bodyTail = body;
  lists.bodyTail = &body->next;
  body->sceneObject = object;
  object->body = body;
  body->position = object->position;
  return body;
}

}  // namespace

bool createScene() {
  Lists lists;
  const Matrix4 player = modelTransform(&kPlayerScale);
  Body* playerBody = addModel(lists, "kesh.3ds", "tex_kesh.bmp", player, playerStart(), kShipMass);
  g_controller = new ShipController(g_objects, playerBody);

  const Matrix4 grid = modelTransform(&kGridScale);
  for (int i = 0; i < kGridSide; ++i) {
    for (int j = 0; j < kGridSide; ++j) {
      addModel(lists, "ship.3ds", "ship_tex.bmp", grid, gridShipStart(i, j), kShipMass);
    }
  }

  const Matrix4 planet = modelTransform(nullptr);
  Body* earth = addModel(lists, "earth.3ds", "earth.bmp", planet, earthStart(), kEarthMass);
  earth->angularVelocity[1] = kEarthSpin;
  addModel(lists, "moon.3ds", "moon.bmp", planet, moonStart(), kMoonMass);

  g_camera = new ChaseCamera(g_objects, Vector3(0.0, static_cast<double>(0.02f), static_cast<double>(0.07f)));
  g_background = new StarBackground(g_camera, "stars2.bmp", 1.0f, 1.0f);
  return true;
}
