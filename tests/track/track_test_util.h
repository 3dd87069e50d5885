// Small worlds for the track tests: objects placed straight into the pools,
// zones and grids written by hand.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "render/objects.h"
#include "render/render_state.h"
#include "track/track_state.h"

struct Corner {
    float x, y, z;
};

// Appends an object of loose triangles (three vertices each) to the pools
// under `name`; returns its slot.
inline int AddObject(const char* name, const std::vector<std::vector<Corner>>& triangles, uint32_t flags = 0,
                     uint32_t texture = 70) {
    int slot = 0;
    while (ObjectNameTable[slot][0] != 0)
        slot++;
    const int firstVertex = VertexTotal, firstTriangle = TriangleTotal;
    for (const auto& t : triangles) {
        uint32_t corners[3];
        for (int k = 0; k < 3; k++) {
            VertexPool[VertexTotal] = {t[k].x, t[k].y, t[k].z, 0.0f, 0.0f};
            corners[k] = MakeCorner((uint32_t)VertexTotal, (uint32_t)VertexTotal);
            VertexTotal++;
        }
        TrianglePool[TriangleTotal++] = {{corners[0], corners[1], corners[2]}, MakeTextureWord(texture, flags)};
    }
    snprintf(ObjectNameTable[slot], OBJECT_NAME_LENGTH, "%s", name);
    ObjectEntries[slot] = {firstVertex * 20, firstTriangle * 16, VertexTotal - firstVertex,
                           TriangleTotal - firstTriangle, 0, firstVertex, 0, 0};
    return slot;
}

inline void SetZone(int index, int type, const std::vector<std::pair<int, int>>& points) {
    ZoneRecord& zone = ZoneTable.records[index];
    zone = {};
    zone.vertexWords = 4 * (int)points.size();
    zone.type = type;
    for (size_t k = 0; k < points.size(); k++)
        zone.vertices[k] = {points[k].first, 0, points[k].second, 0};
}

inline std::vector<std::pair<int, int>> Box(int x0, int z0, int x1, int z1) {
    return {{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}};
}

// Every cell of the grid lists the same entries.
inline void ListEverywhere(CellListGrid& grid, const std::vector<int>& entries) {
    grid.listCount = 0;
    for (int e : entries)
        grid.lists[grid.listCount++] = e;
    grid.lists[grid.listCount++] = -1;
    grid.lists[grid.listCount] = -1;
    for (int cell = 0; cell < grid.columns * grid.rows; cell++)
        grid.offsets[cell] = 0;
}

// The entries listed in the cell of (x, z).
std::vector<int> CellEntries(const CellListGrid& grid, int x, int z);

// Host path of a game path under the current folder.
std::string HostPathOf(const std::string& gamePath);

// Makes a track's BIN folder (and the folders above it) under the current
// folder.
void MakeBinFolder();

// Writes a file of the current track's BIN folder.
void WriteBinFile(const char* pattern, int number, const void* data, size_t size);
