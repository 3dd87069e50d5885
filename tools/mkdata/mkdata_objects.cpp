#include "mkdata_objects.h"

#include "mkdata.h"

bool MkWriteObject(const std::string& folder, const std::string& name, const MkObject& object) {
    const ObjectInfo info = {(int32_t)object.vertices.size(), (int32_t)object.triangles.size()};
    const std::string base = folder + name;
    if (!MkWriteArchived(base + ".ver", object.vertices.data(), object.vertices.size() * sizeof(ObjectVertex)))
        return false;
    if (!MkWriteArchived(base + ".tri", object.triangles.data(),
                         object.triangles.size() * sizeof(ObjectTriangle)))
        return false;
    if (!MkWriteArchived(base + ".inf", &info, sizeof info))
        return false;
    if (!object.normals.empty() &&
        !MkWriteArchived(base + ".nor", object.normals.data(), object.normals.size() * sizeof(ObjectNormal)))
        return false;
    return true;
}
