// Inside the stand-in: the context calls' failures that a test can force.
#pragma once

namespace platform {

// While set: wglCreateContext returns null; wglMakeCurrent fails to select a
// context.
extern bool contextCreationFails;
extern bool makeCurrentFails;

}  // namespace platform
