#include "app/app_state.h"

// Active from the start, so that the activation that arrives while the window
// is first shown changes nothing.
AppState g_app = {"Orbitrand", true, true};
HINSTANCE g_instance = nullptr;
