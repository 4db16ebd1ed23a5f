#include "sim/scene_setup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "scene/chase_camera.h"
#include "scene/model_object.h"
#include "scene/star_background.h"
#include "sim/body.h"
#include "sim/ship_controller.h"
#include "tests/support/gl_context.h"

namespace {

class SceneSetupTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    ASSERT_EQ(chdir(ORBITRAND_DATA_DIR), 0);
    ASSERT_TRUE(createScene());
    for (SceneObject* o = g_objects; o; o = o->next) objects.push_back(o);
    for (Body* b = g_bodies; b; b = b->next) bodies.push_back(b);
  }
  void TearDown() override {
    for (SceneObject* o : objects) delete o;
    for (Body* b : bodies) delete b;
    g_objects = nullptr;
    g_bodies = nullptr;
    GlContextTest::TearDown();
  }
  std::vector<SceneObject*> objects;
  std::vector<Body*> bodies;
};

TEST_F(SceneSetupTest, BothListsHoldTheFiftyTwoObjectsBoundInTheSameOrder) {
  ASSERT_EQ(objects.size(), 52u);
  ASSERT_EQ(bodies.size(), 52u);
  for (size_t k = 0; k < 52; ++k) {
    EXPECT_EQ(bodies[k]->sceneObject, objects[k]);
    EXPECT_EQ(objects[k]->body, bodies[k]);
    EXPECT_EQ(bodies[k]->position, objects[k]->position);
    EXPECT_NE(objects[k]->texture, -1) << k;
    EXPECT_TRUE(static_cast<ModelObject*>(objects[k])->prepared) << k;
    EXPECT_EQ(bodies[k]->velocity, Vector3()) << k;
    EXPECT_EQ(bodies[k]->angularVelocity[1], k == 50 ? 0.0041600000113248825f : 0.0f) << k;  // the Earth's spin
  }
  EXPECT_EQ(g_controller->ship, objects[0]);
  EXPECT_EQ(g_controller->body, bodies[0]);
  EXPECT_EQ(g_camera->target, objects[0]);
  EXPECT_EQ(g_camera->offset, Vector3(0, 0.019999999552965164, 0.07000000029802322));
  EXPECT_EQ(g_background->camera, g_camera);
  EXPECT_EQ(g_background->repeatU, 1.0f);
  EXPECT_NE(g_background->texture, -1);
}

TEST_F(SceneSetupTest, PositionsMassesAndLocalTransforms) {
  EXPECT_EQ(*objects[0]->position, Vector3(0, 0, 200));
  EXPECT_EQ(*objects[1]->position, Vector3(1.5, 1.5, 190));
  EXPECT_EQ(*objects[7]->position, Vector3(1.5, -1.5, 190));
  EXPECT_EQ(*objects[8]->position, Vector3(1.0, 1.5, 190));
  EXPECT_EQ(*objects[49]->position, Vector3(-1.5, -1.5, 190));
  EXPECT_EQ(*objects[50]->position, Vector3(0, 0, -75));
  EXPECT_EQ(*objects[51]->position, Vector3(2862.4526283748346, 954.150876124945, 0));
  EXPECT_EQ(bodies[0]->inertialMantissa, 0.2f);
  EXPECT_EQ(bodies[0]->gravitationalExponent, 9);
  EXPECT_EQ(bodies[50]->gravitationalMantissa, 5.97f);
  EXPECT_EQ(bodies[50]->inertialExponent, 24);
  EXPECT_EQ(bodies[51]->inertialMantissa, 7.347f);
  EXPECT_EQ(bodies[51]->gravitationalExponent, 22);
  // Turned from the model's up (Z) to the world's (Y), and scaled: the
  // player's ship, a grid ship, the Earth and the Moon.
  const std::pair<size_t, float> scaled[] = {{0, 0.0001f}, {1, 0.0005f}, {50, 1.0f}, {51, 1.0f}};
  for (const auto& [k, s] : scaled) {
    ASSERT_TRUE(objects[k]->hasLocalTransform) << k;
    const float expected[16] = {s, 0, 0, 0, 0, 0, -s, 0, 0, s, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(objects[k]->localTransform.m[i], expected[i], 1e-7f * s) << k;
  }
  for (int i = 0; i < 16; ++i) EXPECT_EQ(objects[50]->localTransform.m[i], objects[51]->localTransform.m[i]);
}

}  // namespace
