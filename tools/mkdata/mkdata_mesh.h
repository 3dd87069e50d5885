// A small mesh builder for the sample folder's objects: quads, triangles
// and boxes with flat normals, wound as the game's drawers expect.
#pragma once

#include <cmath>

#include "mkdata_objects.h"

struct Vec {
    double x, y, z;
};
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Builds one object from quads and triangles, each with vertices of its own
// (flat shading).  The game draws a triangle when (B - A) x (C - A) points
// away from the viewer, and lights it by that same normal; the builder winds
// every face so that it shows from the side its outward normal names.
struct Mesh {
    MkObject object;
    bool withNormals = true;

    void Triangle(Vec a, Vec b, Vec c, Vec outward, int texture, int flags = 0) {
        if (Dot(Cross(b - a, c - a), outward) > 0) {
            const Vec t = b;
            b = c;
            c = t;
        }
        const Vec n = Cross(b - a, c - a);
        const double length = std::sqrt(Dot(n, n));
        const ObjectNormal normal = length > 0 ? ObjectNormal{(float)(n.x / length), (float)(n.y / length),
                                                              (float)(n.z / length)}
                                               : ObjectNormal{0, 0, 0};
        const uint32_t first = (uint32_t)object.vertices.size();
        const Vec corners[3] = {a, b, c};
        const float uv[3][2] = {{0, 0}, {1, 0}, {1, 1}};
        for (int k = 0; k < 3; k++) {
            object.vertices.push_back({(float)corners[k].x, (float)corners[k].y, (float)corners[k].z, uv[k][0],
                                       uv[k][1]});
            if (withNormals)
                object.normals.push_back(normal);
        }
        object.triangles.push_back({{MakeCorner(first, first), MakeCorner(first + 1, first + 1),
                                     MakeCorner(first + 2, first + 2)},
                                    MakeTextureWord((uint32_t)texture, (uint32_t)flags)});
    }

    // A quad given around its edge; its two triangles share the diagonal
    // p0-p2.
    void Quad(Vec p0, Vec p1, Vec p2, Vec p3, Vec outward, int texture, int flags = 0) {
        Triangle(p0, p1, p2, outward, texture, flags);
        Triangle(p0, p2, p3, outward, texture, flags);
    }

    void Box(double x0, double x1, double y0, double y1, double z0, double z1, int texture) {
        Quad({x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}, {-1, 0, 0}, texture);
        Quad({x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}, {1, 0, 0}, texture);
        Quad({x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}, {0, -1, 0}, texture);
        Quad({x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}, {0, 1, 0}, texture);
        Quad({x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0}, {0, 0, -1}, texture);
        Quad({x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, {0, 0, 1}, texture);
    }
};
