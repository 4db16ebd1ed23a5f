// One step of the world: gravity, the pilot's input, the flight assists, motion.
#pragma once

void stepSimulation(float t);
