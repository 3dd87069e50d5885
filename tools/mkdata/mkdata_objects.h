// Writing 3D objects (.ver, .tri, .inf and optionally .nor) into the
// archives, from the game's own object records.
#pragma once

#include <string>
#include <vector>

#include "render/object_files.h"

struct MkObject {
    std::vector<ObjectVertex> vertices;
    std::vector<ObjectTriangle> triangles;   // corners count from the object's own vertex 0
    std::vector<ObjectNormal> normals;       // empty: no .nor file
};

// Writes folder + name + extension for each file; `folder` is an archive path
// ending in '\' (such as "3d\Cars\Car01\").
bool MkWriteObject(const std::string& folder, const std::string& name, const MkObject& object);
