// The pilot's mouse and keys, polled once per simulation step: steering,
// thrust, thrust power and the close request.
#pragma once

// The left button was held at the previous poll.
extern bool g_steering;

void pollFlightInput();
