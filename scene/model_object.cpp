#include "scene/model_object.h"

#include <GL/gl.h>
#include <lib3ds/node.h>

#include <cstdlib>

#include "render/graphics.h"
#include "scene/model_file_check.h"

namespace {

// Whether the first node names a mesh that can be drawn without reading past
// any of its lists: a texel for every point, every corner a point of the mesh.
bool hasDrawableMesh(Lib3dsFile* file) {
  if (!file->nodes) return false;
  const Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(file, file->nodes->name);
  if (!mesh) return false;
  if ((mesh->points && !mesh->pointL) || (mesh->faces && !mesh->faceL)) return false;
  if (mesh->texels < mesh->points || (mesh->points && !mesh->texelL)) return false;
  for (Lib3dsDword f = 0; f < mesh->faces; ++f) {
    for (Lib3dsWord corner : mesh->faceL[f].points) {
      if (corner >= mesh->points) return false;
    }
  }
  return true;
}

// The three corners of every face, as a triangle's texel and point.
void emitCorners(const Lib3dsMesh* mesh, const Lib3dsFace& face) {
  for (Lib3dsWord corner : face.points) {
    glTexCoord2fv(mesh->texelL[corner]);
    glVertex3fv(mesh->pointL[corner].pos);
  }
}

}  // namespace

ModelObject::ModelObject(const char* fileName, const Matrix4* localTransform)
    : file(nullptr),
      prepared(false),
      indexCount(0),
      vertexBuffer(0),
      texcoordBuffer(0),
      indices(nullptr) {
  // lib3ds trusts every length and index in a file: it reads only what the
  // structural check has shown to be safe.
  file = loadChecked3dsFile(fileName);
  if (file && !hasDrawableMesh(file)) {
    lib3ds_file_free(file);
    file = nullptr;
  }
  if (localTransform) {
    hasLocalTransform = true;
    this->localTransform = *localTransform;
  }
}

ModelObject::~ModelObject() {
  if (file) lib3ds_file_free(file);
  std::free(indices);
}

Lib3dsMesh* ModelObject::meshToDraw() const {
  return lib3ds_file_mesh_by_name(file, file->nodes->name);
}

void ModelObject::prepareArrays() {
  if (!file) return;
  const Lib3dsMesh* mesh = meshToDraw();
  std::free(indices);
  indices = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * 3 * mesh->faces));
  indexCount = 0;
  for (Lib3dsDword f = 0; f < mesh->faces; ++f) {
    for (Lib3dsWord corner : mesh->faceL[f].points) indices[indexCount++] = corner;
  }
  if (g_vbo.supported) {
    g_vbo.glGenBuffersARB(1, &vertexBuffer);
    g_vbo.glBindBufferARB(GL_ARRAY_BUFFER_ARB, vertexBuffer);
    g_vbo.glBufferDataARB(GL_ARRAY_BUFFER_ARB, GLsizeiptrARB(mesh->points) * 12, mesh->pointL,
                          GL_STATIC_DRAW_ARB);
    // Sized by the points: one texel per point.
    g_vbo.glGenBuffersARB(1, &texcoordBuffer);
    g_vbo.glBindBufferARB(GL_ARRAY_BUFFER_ARB, texcoordBuffer);
    g_vbo.glBufferDataARB(GL_ARRAY_BUFFER_ARB, GLsizeiptrARB(mesh->points) * 8, mesh->texelL,
                          GL_STATIC_DRAW_ARB);
  }
  prepared = true;
}

void ModelObject::compileDisplayList() {
  if (!file) return;
  const Lib3dsMesh* mesh = meshToDraw();
  displayList = static_cast<int32_t>(glGenLists(1));
  glNewList(static_cast<GLuint>(displayList), GL_COMPILE);
  if (hasLocalTransform) glMultMatrixf(localTransform.data());
  for (Lib3dsDword f = 0; f < mesh->faces; ++f) {
    glBegin(GL_TRIANGLE_STRIP);
    emitCorners(mesh, mesh->faceL[f]);
    glEnd();
  }
  glEndList();
}

void ModelObject::draw() {
  if (!file) return;
  const Lib3dsMesh* mesh = meshToDraw();
  beginDraw();
  if (prepared) {
    const bool buffers = g_vbo.supported;
    glEnableClientState(GL_VERTEX_ARRAY);
    if (buffers) {
      g_vbo.glBindBufferARB(GL_ARRAY_BUFFER_ARB, vertexBuffer);
      glVertexPointer(3, GL_FLOAT, 0, nullptr);
    } else {
      glVertexPointer(3, GL_FLOAT, 0, mesh->pointL);
    }
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    if (buffers && texcoordBuffer != 0) {
      g_vbo.glBindBufferARB(GL_ARRAY_BUFFER_ARB, texcoordBuffer);
      glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    } else {
      // Client memory: no buffer may stay bound, or the pointer would be read as an offset.
      if (buffers) g_vbo.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
      glTexCoordPointer(2, GL_FLOAT, 0, mesh->texelL);
    }
    if (hasLocalTransform) glMultMatrixf(localTransform.data());
    glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, indices);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    return;
  }
  if (texture != -1) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
  if (displayList != -1) return;  // beginDraw has called it
  if (hasLocalTransform) glMultMatrixf(localTransform.data());
  glBegin(GL_TRIANGLES);
  for (Lib3dsDword f = 0; f < mesh->faces; ++f) {
    glNormal3fv(mesh->faceL[f].normal);
    emitCorners(mesh, mesh->faceL[f]);
  }
  glEnd();
}
