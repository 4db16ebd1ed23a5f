#include "sim/simulation_step.h"

#include "sim/body.h"
#include "sim/flight_input.h"
#include "sim/ship_controller.h"

void stepSimulation(float t) {
  applyGravity();
  pollFlightInput();
  g_controller->update(t);
  for (Body* body = g_bodies; body; body = body->next) body->integrate(t);
}
