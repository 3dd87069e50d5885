// The render part of the game folder: the 3D objects of every car folder
// (body, shadow, head, lamps, glass, pipes, chassis, hood, wheels and tyres,
// suspension arms, the showroom body) and the collision meshes.
//
// One low-polygon car shape serves every model, sized to the model's wheel
// track and wheelbase.  Each part has its own texture numbers from the car
// ranges; the painted ones move by paint x 100 while the race loads them.

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "mkdata.h"
#include "mkdata_objects.h"
#include "mkdata_render_2d.h"
#include "mkdata_textures.h"
#include "track/asset_paths.h"

// Texture numbers of the car parts (paint 0).  Painted: 1000, 1001, 1002,
// 1004.  The others are in the unpainted list and keep their number.
enum {
    TEX_BODY = 1000,
    TEX_HOOD = 1001,
    TEX_CABIN = 1002,
    TEX_CHASSIS = 1004,
    TEX_GLASS = 1011,
    TEX_HEAD = 1019,
    TEX_RIM = 1021,
    TEX_TYRE = 1022,
    TEX_ARM = 1023,
    TEX_LAMP_FRONT = 1030,
    TEX_PIPES = 1034,
    TEX_SHADOW = 1040,
    TEX_LAMP_WIDE = 1074,
    TEX_LAMP_REAR = 1086,
    // The chrome parts carry the numbers of the reflection maps, so that the
    // car pass loads them: pipe tips and bumper, mirrors.
    TEX_CHROME_PIPES = 1997,
    TEX_CHROME_GLASS = 1998,
    TEX_CHROME_BODY = 1999,
};

namespace {

struct Vec {
    double x, y, z;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

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

const int WHEEL_SEGMENTS = 8;
const double RIM_RADIUS = 42.0, TYRE_RADIUS = 68.0, WHEEL_HALF_WIDTH = 30.0;

Vec RingPoint(double x, double radius, int segment) {
    const double angle = 2.0 * std::numbers::pi * segment / WHEEL_SEGMENTS;
    return {x, radius * std::cos(angle), radius * std::sin(angle)};
}

// The rim: an octagonal disc on each side of the wheel, centred on the
// wheel's axis (the x axis).
Mesh Rim() {
    Mesh mesh;
    for (int side = -1; side <= 1; side += 2) {
        const double x = side * (WHEEL_HALF_WIDTH - 2.0);
        for (int s = 0; s < WHEEL_SEGMENTS; s++)
            mesh.Triangle({x, 0, 0}, RingPoint(x, RIM_RADIUS, s), RingPoint(x, RIM_RADIUS, s + 1), {(double)side, 0, 0},
                          TEX_RIM);
    }
    return mesh;
}

// The tyre: the tread band and the two sidewalls between rim and tread.
Mesh Tyre() {
    Mesh mesh;
    const double w = WHEEL_HALF_WIDTH;
    for (int s = 0; s < WHEEL_SEGMENTS; s++) {
        const Vec mid = RingPoint(0, 1.0, s);
        const Vec mid2 = RingPoint(0, 1.0, s + 1);
        const Vec radial = {0, mid.y + mid2.y, mid.z + mid2.z};
        mesh.Quad(RingPoint(-w, TYRE_RADIUS, s), RingPoint(w, TYRE_RADIUS, s), RingPoint(w, TYRE_RADIUS, s + 1),
                  RingPoint(-w, TYRE_RADIUS, s + 1), radial, TEX_TYRE);
        for (int side = -1; side <= 1; side += 2) {
            const double x = side * w;
            mesh.Quad(RingPoint(x, RIM_RADIUS, s), RingPoint(x, TYRE_RADIUS, s), RingPoint(x, TYRE_RADIUS, s + 1),
                      RingPoint(x, RIM_RADIUS, s + 1), {(double)side, 0, 0}, TEX_TYRE);
        }
    }
    return mesh;
}

// The size of one model's car from its wheel rows: front-left x, z and
// rear-left x, z (the right wheels mirror them).
struct CarSize {
    double frontX, frontZ, rearX, rearZ;
};
const CarSize CarSizes[18] = {
    {-135, 276, -140, -229}, {-193, 298, -150, -229}, {-199, 276, -166, -223}, {-193, 242, -196, -255},
    {-135, 276, -140, -229}, {-163, 266, -211, -224}, {-128, 248, -133.5, -223}, {-139, 248, -139, -314},
    {-199, 276, -193, -223}, {-162, 196, -159, -249}, {-193, 242, -196, -302}, {-190, 310.5, -212, -275},
    {-129, 288, -143, -228}, {-128, 248, -133.5, -223}, {-194, 372, -217.5, -274}, {-193, 199, -196, -255},
    {-147, 239, -154, -237}, {-155, 276, -155, -229},
};

struct CarShape {
    double halfWidth, front, rear;       // body extent: x +-halfWidth, z rear..front
    double bottom, top, cabinTop;        // heights
    double cabinFront, cabinRear, cabinHalfWidth;
};

CarShape ShapeOf(int model) {
    const CarSize& size = CarSizes[model];
    CarShape shape;
    shape.halfWidth = std::fmax(-size.frontX, -size.rearX) - 15.0;
    shape.front = size.frontZ + 110.0;
    shape.rear = size.rearZ - 120.0;
    shape.bottom = -20.0;
    shape.top = 95.0;
    shape.cabinTop = 200.0;
    shape.cabinHalfWidth = shape.halfWidth - 25.0;
    shape.cabinFront = (size.frontZ + size.rearZ) * 0.5 + 80.0;
    shape.cabinRear = size.rearZ + 40.0;
    return shape;
}

Mesh Body(const CarShape& s) {
    Mesh mesh;
    mesh.Box(-s.halfWidth, s.halfWidth, s.bottom, s.top, s.rear, s.front, TEX_BODY);
    mesh.Box(-s.cabinHalfWidth, s.cabinHalfWidth, s.top, s.cabinTop, s.cabinRear, s.cabinFront, TEX_CABIN);
    return mesh;
}

// Windscreen, rear window and the side windows, just outside the cabin.
Mesh Glass(const CarShape& s) {
    Mesh mesh;
    const double w = s.cabinHalfWidth - 8.0, y0 = s.top + 15.0, y1 = s.cabinTop - 10.0, e = 1.0;
    const double zf = s.cabinFront + e, zr = s.cabinRear - e, xs = s.cabinHalfWidth + e;
    mesh.Quad({-w, y0, zf}, {w, y0, zf}, {w, y1, zf}, {-w, y1, zf}, {0, 0, 1}, TEX_GLASS);
    mesh.Quad({-w, y0, zr}, {w, y0, zr}, {w, y1, zr}, {-w, y1, zr}, {0, 0, -1}, TEX_GLASS);
    for (int side = -1; side <= 1; side += 2) {
        const double x = side * xs;
        mesh.Quad({x, y0, zr + 20}, {x, y0, zf - 20}, {x, y1, zf - 20}, {x, y1, zr + 20}, {(double)side, 0, 0},
                  TEX_GLASS);
        // A mirror on a short arm beside the windscreen.
        const double mx = side * (s.halfWidth + 12.0);
        mesh.Box(std::fmin(mx, mx - side * 24.0), std::fmax(mx, mx - side * 24.0), y0, y0 + 30, zf - 30, zf - 20,
                 TEX_CHROME_GLASS);
    }
    return mesh;
}

// The shadow: a flat quad on the ground, seen from above.
Mesh Shadow(const CarShape& s) {
    Mesh mesh;
    mesh.withNormals = false;
    const double w = s.halfWidth + 10.0, y = 1.0;
    mesh.Quad({-w, y, s.rear - 10}, {w, y, s.rear - 10}, {w, y, s.front + 10}, {-w, y, s.front + 10}, {0, 1, 0},
              TEX_SHADOW);
    return mesh;
}

// The driver's head, placed at the model's head offset.
Mesh Head() {
    Mesh mesh;
    mesh.Box(-24, 24, -20, 40, -24, 24, TEX_HEAD);
    return mesh;
}

// A lamp beam: a two-sided fan in front of (or behind) the lamps.
Mesh Beam(const CarShape& s, double length, double spread, int rear, int texture) {
    Mesh mesh;
    const double z = rear ? s.rear : s.front, dir = rear ? -1.0 : 1.0, y = 55.0;
    for (int side = -1; side <= 1; side += 2) {
        const double x = side * (s.halfWidth - 35.0);
        mesh.Triangle({x, y, z}, {x - spread, y - 30, z + dir * length}, {x + spread, y - 30, z + dir * length},
                      {0, 1, 0}, texture, 1);
    }
    return mesh;
}

// Exhaust pipes at the back, under the body, with chrome tips and a chrome
// bumper bar across the back.
Mesh Pipes(const CarShape& s) {
    Mesh mesh;
    const double x = -(s.halfWidth - 45.0);
    mesh.Box(x - 10, x + 10, s.bottom + 5, s.bottom + 25, s.rear - 20, s.rear + 50, TEX_PIPES);
    mesh.Box(x - 12, x + 12, s.bottom + 3, s.bottom + 27, s.rear - 30, s.rear - 20, TEX_CHROME_PIPES);
    mesh.Box(-s.halfWidth + 20, s.halfWidth - 20, s.bottom + 30, s.bottom + 45, s.rear - 8, s.rear, TEX_CHROME_BODY);
    return mesh;
}

// The chassis: a flat plate under the body.
Mesh Chassis(const CarShape& s) {
    Mesh mesh;
    mesh.Box(-s.halfWidth + 10, s.halfWidth - 10, s.bottom - 12, s.bottom, s.rear + 20, s.front - 20, TEX_CHASSIS);
    return mesh;
}

// The hood: a panel on the top of the body in front of the cabin.
Mesh Hood(const CarShape& s) {
    Mesh mesh;
    const double w = s.halfWidth - 5.0, y = s.top + 1.0;
    mesh.Quad({-w, y, s.cabinFront + 5}, {w, y, s.cabinFront + 5}, {w, y, s.front - 5}, {-w, y, s.front - 5},
              {0, 1, 0}, TEX_HOOD);
    return mesh;
}

// A suspension arm from the body side out to the front wheel.
Mesh Arm(const CarSize& size, int side) {
    Mesh mesh;
    const double inner = side * 60.0, outer = side * (-size.frontX - WHEEL_HALF_WIDTH);
    mesh.Box(std::fmin(inner, outer), std::fmax(inner, outer), -8, 8, size.frontZ - 12, size.frontZ + 12, TEX_ARM);
    return mesh;
}

// The collision mesh: the body's footprint as one plan quad at the car's
// reference height (so the footprint barely moves as the body pitches and
// rolls), its four vertices in order round the edge (the car collisions read
// them as the footprint's corners, in either direction round), and two
// triangles over it (the arena events' roofs).  No normals, never drawn.
Mesh Collision(const CarShape& s) {
    Mesh mesh;
    mesh.withNormals = false;
    const double y = 0.0;
    const double corners[4][2] = {{-s.halfWidth, s.rear}, {s.halfWidth, s.rear}, {s.halfWidth, s.front},
                                  {-s.halfWidth, s.front}};
    for (const auto& c : corners)
        mesh.object.vertices.push_back({(float)c[0], (float)y, (float)c[1], 0.0f, 0.0f});
    for (uint32_t first : {1u, 3u}) {
        mesh.object.triangles.push_back(
            {{MakeCorner(0, 0), MakeCorner(first, first), MakeCorner(2, 2)}, MakeTextureWord(0, 0)});
    }
    return mesh;
}

bool Write(const std::string& folder, const char* name, const Mesh& mesh) {
    if (MkWriteObject(folder, name, mesh.object))
        return true;
    fprintf(stderr, "mkdata: cannot write %s%s\n", folder.c_str(), name);
    return false;
}

bool HasLamps(int model) {
    return model == 0 || model == 1 || model == 2 || model == 6 || model == 8 || model == 9 || model == 11 ||
           model == 12 || model == 16 || model == 17;
}

bool HasArms(int model) { return model == 2 || model == 6 || model == 8 || model == 11 || model == 13; }

bool WriteCarFolder(int model) {
    const std::string folder = CarModelFolder(model);
    const CarShape shape = ShapeOf(model);
    // The painted shell is the "1_CARRO" object, which loads with the car's
    // paint; the interior (here the floor plate) keeps its textures.
    const Mesh interior = Chassis(shape);
    bool ok = Write(folder, "INTERIOR", interior) && Write(folder, "GARAGE", interior) &&
              Write(folder, "SOMBRA", Shadow(shape)) && Write(folder, "CABEZA", Head()) &&
              Write(folder, "CRISTAL", Glass(shape)) && Write(folder, "1_CARRO", Body(shape)) &&
              Write(folder, "ACAPO01", Hood(shape));
    if (HasLamps(model) || model == 5)
        ok = ok && Write(folder, "FAROS", Beam(shape, 320, 90, 0, TEX_LAMP_FRONT));
    if (HasLamps(model))
        ok = ok && Write(folder, "FAROS2", Beam(shape, 160, 150, 0, TEX_LAMP_WIDE)) &&
             Write(folder, "FAROS3", Beam(shape, 60, 30, 1, TEX_LAMP_REAR));
    if (model != 16 && model != 17)
        ok = ok && Write(folder, "TUBOS", Pipes(shape));
    const Mesh rim = Rim(), tyre = Tyre();
    for (const char* name : {"RDI", "RDD", "RTI", "RTD"})
        ok = ok && Write(folder, name, rim);
    for (const char* name : {"GRDI", "GRDD", "GRTI", "GRTD"})
        ok = ok && Write(folder, name, tyre);
    if (HasArms(model))
        ok = ok && Write(folder, "BRAZOIZ", Arm(CarSizes[model], -1)) &&
             Write(folder, "BRAZODE", Arm(CarSizes[model], 1));
    // The collision meshes come from the folders of models 0 to 15.
    if (model <= 15)
        ok = ok && Write(folder, "COLI", Collision(shape));
    return ok;
}

// ---------------------------------------------------------------------------
// The scenery of track 10 (sky, sprites, backdrop hills, spinning props).

enum {
    TEX_CRATE = 73,
    TEX_HILLS = 76,
    TEX_SKY_DOME = 77,
    TEX_SKY_GRADIENT = 78,
    TEX_SPRITE = 2012,
};

// A ring of hills far around the circuit, facing its middle; the backdrop
// drawer places it in the world.
Mesh Hills() {
    Mesh mesh;
    mesh.withNormals = false;
    const double cx = 43312.0, cz = 65000.0, radius = 150000.0;
    const int segments = 48;
    auto top = [](int k) { return 14000.0 + 9000.0 * std::sin(k * 0.9) + 6000.0 * std::sin(k * 2.3 + 1.0); };
    for (int k = 0; k < segments; k++) {
        const double a0 = 2.0 * std::numbers::pi * k / segments, a1 = 2.0 * std::numbers::pi * (k + 1) / segments;
        const Vec b0 = {cx + radius * std::sin(a0), 0.0, cz + radius * std::cos(a0)};
        const Vec b1 = {cx + radius * std::sin(a1), 0.0, cz + radius * std::cos(a1)};
        const Vec t0 = {b0.x, top(k), b0.z}, t1 = {b1.x, top(k + 1), b1.z};
        const uint32_t first = (uint32_t)mesh.object.vertices.size();
        const float u0 = (float)(k % 4) * 0.25f, u1 = u0 + 0.25f;
        mesh.object.vertices.push_back({(float)b0.x, (float)b0.y, (float)b0.z, u0, 1.0f});
        mesh.object.vertices.push_back({(float)b1.x, (float)b1.y, (float)b1.z, u1, 1.0f});
        mesh.object.vertices.push_back({(float)t1.x, (float)t1.y, (float)t1.z, u1, 0.0f});
        mesh.object.vertices.push_back({(float)t0.x, (float)t0.y, (float)t0.z, u0, 0.0f});
        const uint32_t word = MakeTextureWord(TEX_HILLS, 0);
        mesh.object.triangles.push_back(
            {{MakeCorner(first, first), MakeCorner(first + 1, first + 1), MakeCorner(first + 2, first + 2)}, word});
        mesh.object.triangles.push_back(
            {{MakeCorner(first, first), MakeCorner(first + 2, first + 2), MakeCorner(first + 3, first + 3)}, word});
    }
    return mesh;
}

// The sky around the eye (both are drawn at the camera): a dome, its
// texture from the top (v 0) down to the rim (v 1), and in front of it a
// band of haze around the horizon.  Both lie beyond the hills, so that the
// Direct3D path's depth test keeps everything of the track in front of them.
// Each is 16 segments around the eye; seen from inside, each triangle's
// normal points out, away from the eye.
Mesh SkyRing(double radius, double low, double high, int texture, bool toApex) {
    Mesh mesh;
    mesh.withNormals = false;
    const int segments = 16;
    const uint32_t word = MakeTextureWord((uint32_t)texture, 0);
    for (int k = 0; k < segments; k++) {
        const double a0 = 2.0 * std::numbers::pi * k / segments, a1 = 2.0 * std::numbers::pi * (k + 1) / segments;
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
Mesh Sprite(double half) {
    Mesh mesh;
    mesh.withNormals = false;
    mesh.Quad({-half, -half, 0}, {half, -half, 0}, {half, half, 0}, {-half, half, 0}, {0, 0, -1}, TEX_SPRITE);
    return mesh;
}

Mesh Ball(double r) {
    Mesh mesh;
    mesh.withNormals = false;
    const Vec poles[2] = {{0, r, 0}, {0, -r, 0}};
    const Vec ring[4] = {{r, 0, 0}, {0, 0, r}, {-r, 0, 0}, {0, 0, -r}};
    for (const Vec& pole : poles)
        for (int k = 0; k < 4; k++) {
            const Vec a = ring[k], b = ring[(k + 1) % 4];
            mesh.Triangle(pole, a, b, {pole.x + a.x + b.x, pole.y + a.y + b.y, pole.z + a.z + b.z}, TEX_SPRITE);
        }
    return mesh;
}

// A hexagonal nut standing on its side.
Mesh Nut(double radius, double depth) {
    Mesh mesh;
    for (int k = 0; k < 6; k++) {
        const double a0 = std::numbers::pi * k / 3.0, a1 = std::numbers::pi * (k + 1) / 3.0;
        const Vec f0 = {radius * std::cos(a0), radius * std::sin(a0), -depth}, f1 = {radius * std::cos(a1), radius * std::sin(a1), -depth};
        const Vec b0 = {f0.x, f0.y, depth}, b1 = {f1.x, f1.y, depth};
        mesh.Quad(f0, f1, b1, b0, {f0.x + f1.x, f0.y + f1.y, 0.0}, TEX_CRATE);
        mesh.Triangle({0, 0, -depth}, f0, f1, {0, 0, -1}, TEX_CRATE);
        mesh.Triangle({0, 0, depth}, b0, b1, {0, 0, 1}, TEX_CRATE);
    }
    return mesh;
}

bool WriteTrackScenery() {
    const std::string folder = "3d\\Tracks\\Track-10\\";
    Mesh cube;
    cube.Box(-400, 400, -400, 400, -400, 400, TEX_CRATE);
    return Write(folder, "CIELO", SkyRing(400000.0, -60000.0, 400000.0, TEX_SKY_DOME, true)) &&
           Write(folder, "DEGRA", SkyRing(380000.0, -120000.0, 40000.0, TEX_SKY_GRADIENT, false)) && Write(folder, "POLVO", Sprite(50.0)) &&
           Write(folder, "BOLA", Ball(30.0)) && Write(folder, "BOLA1", Ball(30.0)) &&
           Write(folder, "BOLA2", Ball(30.0)) && Write(folder, "BOLA3", Ball(30.0)) &&
           Write(folder, "MONTANAS", Hills()) && Write(folder, "CUBO", cube) && Write(folder, "TUERCA", Nut(500.0, 180.0));
}

}  // namespace

bool MakeRenderData(const MkOptions&) {
    for (int model = 0; model < 18; model++) {
        if (!WriteCarFolder(model))
            return false;
    }
    return WriteTrackScenery() && MkWriteTextures() && MkWrite2dGraphics();
}
