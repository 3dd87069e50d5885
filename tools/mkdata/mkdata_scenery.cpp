// The scenery objects of every track folder.
//
// The model set of a race loads them by name from the track folder: the
// sky and the sprites on every track, then each group's own (backdrop hills
// and forest, the spinning crate, nut, cow box, ice cream and propellers,
// water and zeppelin), and on the arena events the props, the cars parked
// among them, the light towers, the can and the ramp.  Objects the model
// set loads without normals are written without them.

#include "mkdata_scenery.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "mkdata_mesh.h"
#include "mkdata_track_art.h"
#include "track/track_state.h"

namespace {

const double Pi = std::numbers::pi;

bool Write(const char* name, const Mesh& mesh) {
    if (MkWriteObject(AssetFolder, name, mesh.object))
        return true;
    fprintf(stderr, "mkdata: cannot write %s%s\n", AssetFolder, name);
    return false;
}

Mesh Flat() {
    Mesh mesh;
    mesh.withNormals = false;
    return mesh;
}

// A textured band standing round (cx, cz): `top`(k) gives segment k's
// height, the texture runs around it four segments to a picture.  The
// backdrop drawer places it in the world; it faces its middle.
template <typename Top>
Mesh Band(double cx, double cz, double radius, int segments, int texture, Top top) {
    Mesh mesh = Flat();
    for (int k = 0; k < segments; k++) {
        const double a0 = 2.0 * Pi * k / segments, a1 = 2.0 * Pi * (k + 1) / segments;
        const Vec b0 = {cx + radius * std::sin(a0), 0.0, cz + radius * std::cos(a0)};
        const Vec b1 = {cx + radius * std::sin(a1), 0.0, cz + radius * std::cos(a1)};
        const Vec t0 = {b0.x, top(k), b0.z}, t1 = {b1.x, top(k + 1), b1.z};
        const uint32_t first = (uint32_t)mesh.object.vertices.size();
        const float u0 = (float)(k % 4) * 0.25f, u1 = u0 + 0.25f;
        mesh.object.vertices.push_back({(float)b0.x, (float)b0.y, (float)b0.z, u0, 1.0f});
        mesh.object.vertices.push_back({(float)b1.x, (float)b1.y, (float)b1.z, u1, 1.0f});
        mesh.object.vertices.push_back({(float)t1.x, (float)t1.y, (float)t1.z, u1, 0.0f});
        mesh.object.vertices.push_back({(float)t0.x, (float)t0.y, (float)t0.z, u0, 0.0f});
        const uint32_t word = MakeTextureWord((uint32_t)texture, 0);
        mesh.object.triangles.push_back(
            {{MakeCorner(first, first), MakeCorner(first + 1, first + 1), MakeCorner(first + 2, first + 2)}, word});
        mesh.object.triangles.push_back(
            {{MakeCorner(first, first), MakeCorner(first + 2, first + 2), MakeCorner(first + 3, first + 3)}, word});
    }
    return mesh;
}

Mesh Hills(double cx, double cz, int texture) {
    return Band(cx, cz, 150000.0, 48, texture,
                [](int k) { return 14000.0 + 9000.0 * std::sin(k * 0.9) + 6000.0 * std::sin(k * 2.3 + 1.0); });
}

Mesh Forest(double cx, double cz, int texture) {
    return Band(cx, cz, 110000.0, 64, texture, [](int k) { return 5000.0 + 1500.0 * std::sin(k * 1.7); });
}

// The sky around the eye (both are drawn at the camera): a dome, its
// texture from the top (v 0) down to the rim (v 1), and in front of it a
// band of haze around the horizon.  Both lie beyond the hills, so that the
// Direct3D path's depth test keeps everything of the track in front of them.
// Each is 16 segments around the eye; seen from inside, each triangle's
// normal points out, away from the eye.
Mesh SkyRing(double radius, double low, double high, int texture, bool toApex) {
    Mesh mesh = Flat();
    const int segments = 16;
    const uint32_t word = MakeTextureWord((uint32_t)texture, 0);
    for (int k = 0; k < segments; k++) {
        const double a0 = 2.0 * Pi * k / segments, a1 = 2.0 * Pi * (k + 1) / segments;
        const float u0 = (float)k / segments, u1 = (float)(k + 1) / segments;
        auto at = [&](double a, double y, float u, float v) {
            return ObjectVertex{(float)(radius * std::sin(a)), (float)y, (float)(radius * std::cos(a)), u, v};
        };
        const uint32_t first = (uint32_t)mesh.object.vertices.size();
        auto corner = [&](uint32_t k2) { return MakeCorner(first + k2, first + k2); };
        if (toApex) {
            mesh.object.vertices.push_back({0.0f, (float)high, 0.0f, (u0 + u1) * 0.5f, 0.0f});
            mesh.object.vertices.push_back(at(a1, low, u1, 1.0f));
            mesh.object.vertices.push_back(at(a0, low, u0, 1.0f));
            mesh.object.triangles.push_back({{corner(0), corner(2), corner(1)}, word});
            continue;
        }
        mesh.object.vertices.push_back(at(a0, high, u0, 0.0f));
        mesh.object.vertices.push_back(at(a1, high, u1, 0.0f));
        mesh.object.vertices.push_back(at(a1, low, u1, 1.0f));
        mesh.object.vertices.push_back(at(a0, low, u0, 1.0f));
        mesh.object.triangles.push_back({{corner(0), corner(2), corner(1)}, word});
        mesh.object.triangles.push_back({{corner(0), corner(3), corner(2)}, word});
    }
    return mesh;
}

// A flat sprite square facing -z (the drawers turn it to the camera).
Mesh Sprite(double half, int texture) {
    Mesh mesh = Flat();
    mesh.Quad({-half, -half, 0}, {half, -half, 0}, {half, half, 0}, {-half, half, 0}, {0, 0, -1}, texture);
    return mesh;
}

Mesh Ball(double r) {
    Mesh mesh = Flat();
    const Vec poles[2] = {{0, r, 0}, {0, -r, 0}};
    const Vec ring[4] = {{r, 0, 0}, {0, 0, r}, {-r, 0, 0}, {0, 0, -r}};
    for (const Vec& pole : poles)
        for (int k = 0; k < 4; k++) {
            const Vec a = ring[k], b = ring[(k + 1) % 4];
            mesh.Triangle(pole, a, b, {pole.x + a.x + b.x, pole.y + a.y + b.y, pole.z + a.z + b.z}, TEX_SPRITE);
        }
    return mesh;
}

// A prism of `sides` faces round the y axis from y0 to y1 (radius r0 at
// the foot, r1 at the top; r1 0 makes a cone), its ends closed.
void Prism(Mesh& mesh, int sides, double r0, double r1, double y0, double y1, int texture, double cx = 0.0,
           double cz = 0.0) {
    for (int k = 0; k < sides; k++) {
        const double a0 = 2.0 * Pi * k / sides, a1 = 2.0 * Pi * (k + 1) / sides;
        const Vec b0 = {cx + r0 * std::sin(a0), y0, cz + r0 * std::cos(a0)};
        const Vec b1 = {cx + r0 * std::sin(a1), y0, cz + r0 * std::cos(a1)};
        const Vec t0 = {cx + r1 * std::sin(a0), y1, cz + r1 * std::cos(a0)};
        const Vec t1 = {cx + r1 * std::sin(a1), y1, cz + r1 * std::cos(a1)};
        const Vec out = {std::sin(a0) + std::sin(a1), 0.0, std::cos(a0) + std::cos(a1)};
        if (r1 > 0)
            mesh.Quad(b0, b1, t1, t0, out, texture);
        else
            mesh.Triangle(b0, b1, t0, out, texture);
        mesh.Triangle({cx, y0, cz}, b0, b1, {0, -1, 0}, texture);
        if (r1 > 0)
            mesh.Triangle({cx, y1, cz}, t0, t1, {0, 1, 0}, texture);
    }
}

// A hexagonal nut standing on its side.
Mesh Nut(double radius, double depth, int texture) {
    Mesh mesh;
    for (int k = 0; k < 6; k++) {
        const double a0 = Pi * k / 3.0, a1 = Pi * (k + 1) / 3.0;
        const Vec f0 = {radius * std::cos(a0), radius * std::sin(a0), -depth};
        const Vec f1 = {radius * std::cos(a1), radius * std::sin(a1), -depth};
        const Vec b0 = {f0.x, f0.y, depth}, b1 = {f1.x, f1.y, depth};
        mesh.Quad(f0, f1, b1, b0, {f0.x + f1.x, f0.y + f1.y, 0.0}, texture);
        mesh.Triangle({0, 0, -depth}, f0, f1, {0, 0, -1}, texture);
        mesh.Triangle({0, 0, depth}, b0, b1, {0, 0, 1}, texture);
    }
    return mesh;
}

Mesh Cube(double half, int texture) {
    Mesh mesh;
    mesh.Box(-half, half, -half, half, -half, half, texture);
    return mesh;
}

// An ice cream: a cone with a ball of three stacked prisms.
Mesh IceCream(int texture) {
    Mesh mesh;
    Prism(mesh, 8, 0.0, 500.0, -1500.0, 0.0, texture);
    Prism(mesh, 8, 500.0, 650.0, 0.0, 300.0, texture);
    Prism(mesh, 8, 650.0, 400.0, 300.0, 800.0, texture);
    return mesh;
}

// A propeller: two crossed blades round the z axis.
Mesh Propeller(int texture) {
    Mesh mesh;
    mesh.Box(-1800, 1800, -120, 120, -30, 30, texture);
    mesh.Box(-120, 120, -1800, 1800, -30, 30, texture);
    return mesh;
}

// A zeppelin: an eight-sided hull tapering at both ends, along z.
Mesh Zeppelin(int texture) {
    Mesh mesh;
    const double stations[5][2] = {{-6000, 0}, {-4000, 1400}, {0, 1800}, {4000, 1400}, {6500, 0}};
    for (int s = 0; s < 4; s++) {
        for (int k = 0; k < 8; k++) {
            const double a0 = 2.0 * Pi * k / 8, a1 = 2.0 * Pi * (k + 1) / 8;
            auto at = [&](int st, double a) {
                return Vec{stations[st][1] * std::sin(a), 9000.0 + stations[st][1] * std::cos(a), stations[st][0]};
            };
            const Vec out = {std::sin(a0) + std::sin(a1), std::cos(a0) + std::cos(a1), 0.0};
            if (stations[s][1] == 0)
                mesh.Triangle(at(s, a0), at(s + 1, a0), at(s + 1, a1), out, texture);
            else if (stations[s + 1][1] == 0)
                mesh.Triangle(at(s, a0), at(s, a1), at(s + 1, a0), out, texture);
            else
                mesh.Quad(at(s, a0), at(s, a1), at(s + 1, a1), at(s + 1, a0), out, texture);
        }
    }
    return mesh;
}

// ---------------------------------------------------------------------------
// The arena events.

// A prop standing on its foot at the origin.
Mesh Pole(double height, int texture) {
    Mesh mesh = Flat();
    mesh.Box(-25, 25, 0, height, -25, 25, texture);
    return mesh;
}

Mesh Cone(int texture) {
    Mesh mesh = Flat();
    Prism(mesh, 6, 130.0, 0.0, 0.0, 300.0, texture);
    return mesh;
}

// A pole bar lies along x, 3,400 long, its middle at the origin (it is
// placed at its centre and top height).
Mesh Bar(int texture) {
    Mesh mesh = Flat();
    mesh.Box(-1700, 1700, -30, 30, -30, 30, texture);
    return mesh;
}

// A target: a board on a post, its middle 300 above the foot, seen from
// both sides.
Mesh Target() {
    Mesh mesh = Flat();
    mesh.Box(-20, 20, 0, 100, -20, 20, TEX_TARGET);
    for (int k = 0; k < 8; k++) {
        const double a0 = 2.0 * Pi * k / 8, a1 = 2.0 * Pi * (k + 1) / 8;
        const Vec c = {0, 300, 0};
        const Vec p0 = {200 * std::sin(a0), 300 + 200 * std::cos(a0), 0};
        const Vec p1 = {200 * std::sin(a1), 300 + 200 * std::cos(a1), 0};
        mesh.Triangle(c, p0, p1, {0, 0, -1}, TEX_TARGET);
        mesh.Triangle(c, p0, p1, {0, 0, 1}, TEX_TARGET);
    }
    return mesh;
}

// A parked car of the arena, body and cabin; each crush level lowers it.
Mesh ArenaCar(int crush, int texture) {
    Mesh mesh;
    const double squash = 1.0 - 0.15 * crush;
    mesh.Box(-200, 200, 20, 20 + 140 * squash, -430, 430, texture);
    mesh.Box(-170, 170, 20 + 140 * squash, 20 + 260 * squash, -250, 150, texture);
    return mesh;
}

// Light towers at the corners of the arena floor, in world units.
Mesh LightTowers() {
    Mesh mesh = Flat();
    const double corners[4][2] = {{18000, 19000}, {43000, 19000}, {18000, 93000}, {43000, 93000}};
    for (const auto& c : corners) {
        mesh.Box(c[0] - 150, c[0] + 150, 0, 7000, c[1] - 150, c[1] + 150, TEX_LIGHT_TOWER);
        mesh.Box(c[0] - 700, c[0] + 700, 7000, 7600, c[1] - 200, c[1] + 200, TEX_LIGHT_TOWER);
    }
    return mesh;
}

// A can lying on its side, its middle at the origin.
Mesh Can() {
    Mesh mesh;
    for (int k = 0; k < 12; k++) {
        const double a0 = 2.0 * Pi * k / 12, a1 = 2.0 * Pi * (k + 1) / 12;
        const Vec p0 = {-900, 500 * std::sin(a0), 500 * std::cos(a0)}, p1 = {-900, 500 * std::sin(a1), 500 * std::cos(a1)};
        const Vec q0 = {900, p0.y, p0.z}, q1 = {900, p1.y, p1.z};
        mesh.Quad(p0, p1, q1, q0, {0, p0.y + p1.y, p0.z + p1.z}, TEX_CAN);
        mesh.Triangle({-900, 0, 0}, p0, p1, {-1, 0, 0}, TEX_CAN);
        mesh.Triangle({900, 0, 0}, q0, q1, {1, 0, 0}, TEX_CAN);
    }
    return mesh;
}

// The ramp of codes 53 and 54: a hump 3,000 wide across x, rising over
// 3,000 along z to 400 and falling again.  The drawn ramp has its sides;
// the collision ramp is the driven surface alone.
Mesh Ramp(bool sides) {
    Mesh mesh;
    const double z[3] = {-3000, 0, 3000}, y[3] = {0, 400, 0};
    for (int k = 0; k < 2; k++) {
        const Vec up = {0, 1, k == 0 ? -0.13 : 0.13};
        mesh.Quad({-1500, y[k], z[k]}, {1500, y[k], z[k]}, {1500, y[k + 1], z[k + 1]}, {-1500, y[k + 1], z[k + 1]},
                  up, TEX_ARENA_RAMP);
        if (sides) {
            for (int side = -1; side <= 1; side += 2)
                mesh.Triangle({side * 1500.0, y[k], z[k]}, {side * 1500.0, y[k + 1], z[k + 1]},
                              {side * 1500.0, 0, 0}, {(double)side, 0, 0}, TEX_ARENA_RAMP);
        }
    }
    return mesh;
}

bool WriteArenaObjects(int code) {
    const int variant = code % 10;
    bool ok = Write("PALOROJO", Pole(590, TEX_POLE_RED)) && Write("PALOAZUL", Pole(590, TEX_POLE_BLUE)) &&
              Write("CONOAZUL", Cone(TEX_CONE_BLUE)) && Write("CONOROJO", Cone(TEX_CONE_RED)) &&
              Write("PALIAZUL", Pole(300, TEX_POLE_BLUE)) && Write("PALIROJO", Pole(300, TEX_POLE_RED)) &&
              Write("METARAMR", Pole(900, TEX_BAR_RED)) && Write("METARAMA", Pole(900, TEX_BAR_YELLOW)) &&
              Write("PERTIGAR", Bar(TEX_BAR_RED)) && Write("PERTIGAA", Bar(TEX_BAR_YELLOW)) &&
              Write("PAPELPIV", Sprite(40.0, TEX_CONFETTI)) && Write("DIANA", Target());
    char name[16];
    for (int k = 0; k <= 4 && ok; k++) {
        snprintf(name, sizeof name, "COCHE%d", k);
        ok = Write(name, ArenaCar(k, TEX_ARENA_CAR));
        snprintf(name, sizeof name, "COCHEAL%d", k);
        ok = ok && Write(name, ArenaCar(k, TEX_ARENA_CAR_ALT));
    }
    if (variant == 3 || variant == 4)
        ok = ok && Write("RAMPACHU", Ramp(true)) && Write("RAMPACOL", Ramp(false));
    return ok;
}

}  // namespace

bool MkWriteScenery(int code, const MkSceneryPlace& place) {
    const int group = code / 10;
    const MkGroupTextures& tex = MkTexturesOf(group);
    bool ok = Write("CIELO", SkyRing(400000.0, -60000.0, 400000.0, tex.skyDome, true)) &&
              Write("DEGRA", SkyRing(380000.0, -120000.0, 40000.0, tex.skyHaze, false)) &&
              Write("POLVO", Sprite(50.0, TEX_SPRITE)) && Write("BOLA", Ball(30.0)) && Write("BOLA1", Ball(30.0)) &&
              Write("BOLA2", Ball(30.0)) && Write("BOLA3", Ball(30.0));
    const double cx = place.centreX, cz = place.centreZ;
    switch (group) {
    case 1:
        ok = ok && Write("MONTANAS", Hills(cx, cz, tex.hills)) && Write("CUBO", Cube(400, tex.crate)) &&
             Write("TUERCA", Nut(500.0, 180.0, tex.crate));
        break;
    case 2:
        ok = ok && Write("CAJAVACA", Cube(700, tex.crate)) && Write("MONTANAS", Hills(cx, cz, tex.hills)) &&
             Write("BOSQUE", Forest(cx, cz, tex.forest));
        break;
    case 3:
        ok = ok && Write("MONTANAS", Hills(cx, cz, tex.hills)) && Write("BOSQUE", Forest(cx, cz, tex.forest)) &&
             Write("HELICE", Propeller(tex.crate)) && Write("HELADO", IceCream(tex.roof));
        break;
    case 4:
    case 6: ok = ok && Write("MONTANAS", Hills(cx, cz, tex.hills)); break;
    case 5:
        ok = ok && Write("LUCES", LightTowers()) && Write("LATA", Can());
        if (code != 55)
            ok = ok && WriteArenaObjects(code);
        break;
    case 7: {
        Mesh water;
        water.Quad({place.waterX0, 0.0, place.waterZ0}, {place.waterX1, 0.0, place.waterZ0},
                   {place.waterX1, 0.0, place.waterZ1}, {place.waterX0, 0.0, place.waterZ1}, {0, 1, 0}, TEX_WATER);
        ok = ok && Write("AGUA", water) && Write("ZEPELIN", Zeppelin(TEX_ZEPPELIN));
        if (code == 78 || code == 79)
            ok = ok && Write("LATA", Can()) && Write("LUCES", LightTowers());
        break;
    }
    default: break;
    }
    return ok;
}
