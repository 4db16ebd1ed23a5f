// Buffer-object support for GL tests, taken from the test's own context the
// way the graphics start-up takes it, or switched off.
#pragma once

// Fills g_vbo from the current context; false when the driver lacks the extension.
bool enableBufferObjects();
void disableBufferObjects();
// The size in bytes of a buffer object, as OpenGL reports it.
int bufferSize(unsigned int buffer);
