// One complete frame: draw, present, measure, then advance the world.
#pragma once

void renderFrame();
