// The render part of the game folder: the 3D objects of every car folder
// (body, shadow, head, lamps, glass, pipes, chassis, hood, wheels and tyres,
// suspension arms, the showroom body) and the collision meshes.  The
// tracks' scenery comes with each track (mkdata_scenery.cpp).
//
// One low-polygon car shape serves every model, sized to the model's wheel
// track and wheelbase.  Each part has its own texture numbers from the car
// ranges; the painted ones move by paint x 100 while the race loads them.

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "mkdata.h"
#include "mkdata_mesh.h"
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

}  // namespace

bool MakeRenderData(const MkOptions&) {
    for (int model = 0; model < 18; model++) {
        if (!WriteCarFolder(model))
            return false;
    }
    return MkWriteTextures() && MkWrite2dGraphics();
}
