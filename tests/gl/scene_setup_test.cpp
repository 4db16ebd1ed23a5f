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

}  // namespace
