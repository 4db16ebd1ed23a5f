#include "sim/ship_controller.h"

ShipController* g_controller = nullptr;
bool g_steering = false;
