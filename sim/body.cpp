#include "sim/body.h"

Body* g_bodies = nullptr;

Body::Body(float inertialMantissa, int32_t inertialExponent, float gravitationalMantissa,
           int32_t gravitationalExponent)
    : inertialMantissa(inertialMantissa),
      gravitationalMantissa(gravitationalMantissa),
      inertialExponent(inertialExponent),
      gravitationalExponent(gravitationalExponent) {}
