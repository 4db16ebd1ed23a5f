// Real input events, and questions about the X display, through xdotool.
#pragma once

#include <string>

// Runs xdotool with these arguments and returns its standard output; throws
// where it fails, so that no test goes on from input that was never given.
std::string xdotool(const std::string& arguments);
