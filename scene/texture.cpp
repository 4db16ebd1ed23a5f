// SceneObject::loadTexture: a BMP file becomes the object's texture.
#include <GL/gl.h>

#include <cstdlib>

#include "image/bmp_loader.h"
#include "scene/scene_object.h"

void SceneObject::loadTexture(const char* fileName) {
  RgbImage* image = loadBmpImage(fileName);
  if (!image) return;  // the loader has shown why; texture stays as it was
  GLuint name = 0;
  glGenTextures(1, &name);
  texture = static_cast<int32_t>(name);
  glBindTexture(GL_TEXTURE_2D, name);
  // The rows are tightly packed: read them so, whatever their length, and
  // leave the unpack alignment as it was.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
               image->data);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  std::free(image->data);
  std::free(image);
}
