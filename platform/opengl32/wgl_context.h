// Inside the stand-in: the context calls' failures that a test can force.
#pragma once

namespace platform {

// While set: wglCreateContext returns null; wglMakeCurrent fails to select a
// context; wglGetProcAddress has no GL_ARB_vertex_buffer_object entry points.
extern bool contextCreationFails;
extern bool makeCurrentFails;
extern bool bufferObjectsMissing;

}  // namespace platform
