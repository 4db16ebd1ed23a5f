// One complete frame: draw, present, measure, then advance the world.
#pragma once

void renderFrame();

// The stages of a frame, in renderFrame's order; the heads-up display and the
// present come between the world and the advance.
void drawBackdrop();  // the star field over the whole screen, then a depth clear
void drawWorld();     // rotations, re-centring, camera, every object
void advanceWorld();  // measure the frame, step the simulation, update the rate
