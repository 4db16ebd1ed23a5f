// The "Loading..." screen that stands while the world is built.
#pragma once

// Clears the screen, writes "Loading..." in white a little left of and below
// the centre and presents it. Depth test and texturing are on afterwards and
// the model-view matrix is the identity.
void drawSplash();
