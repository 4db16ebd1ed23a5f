#include "sim/ship_controller.h"

ShipController* g_controller = nullptr;
bool g_steering = false;

ShipController::ShipController(SceneObject* ship, Body* body) : ship(ship), body(body) {}
