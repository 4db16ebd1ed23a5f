// Integer powers of ten and decimal exponents, fast and bit-identical to
// pow(10.0, k) and to log10 truncated toward zero: the gravity pass needs
// three of them for every pair of bodies in every step.
#pragma once

#include <cstdint>

// pow(10.0, k), from a table that pow itself filled.
double powerOfTen(int32_t k);

// log10(s) truncated toward zero, for a finite s > 0.
int32_t decimalExponent(double s);
