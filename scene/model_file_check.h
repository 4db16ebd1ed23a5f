// Model files read safely: a structural check of a 3DS file's bytes that runs
// before lib3ds sees them, and a loader that reads only what passed it.
//
// lib3ds 1.3 trusts every length, count and index in a file. A damaged file
// makes it read past its chunks, follow face indices out of the point list,
// write material names past the face list, link a node to itself until the
// stack runs out, or spend minutes inserting millions of keys one by one
// into a sorted list. The check walks the file the way lib3ds reads it and
// accepts it only when every read stays inside its chunk, every index is in
// range, the node hierarchy can be linked and the lists lib3ds builds are
// short enough to build in well under a second. A sound file passes and
// loads exactly as lib3ds_file_load would load it.
#pragma once

#include <lib3ds/file.h>

#include <cstddef>

// Whether lib3ds can read these bytes as a 3DS file without reading or
// writing out of bounds, failing half-way or running for long.
bool isSafe3dsFile(const unsigned char* bytes, size_t size);

// Checks the bytes and, where they pass, loads them through lib3ds straight
// from memory, so that what was checked is exactly what is read. Null where
// the check or the load fails. The caller frees the result with
// lib3ds_file_free.
Lib3dsFile* loadChecked3dsBytes(const unsigned char* bytes, size_t size);

// Reads the file whole and loads it as loadChecked3dsBytes does: the
// replacement for lib3ds_file_load(fileName). Null where the file cannot be
// read, fails the check or fails to load.
Lib3dsFile* loadChecked3dsFile(const char* fileName);
