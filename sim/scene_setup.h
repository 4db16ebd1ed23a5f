// Builds the initial world: the player's ship, the grid of ships, the Earth
// and the Moon with their bodies, the controller, the camera and the backdrop.
#pragma once

bool createScene();
