// Zones and the point-in-zone queries.
//
// Every point-in-polygon test of the track code uses one crossing rule:
// walking the edges (i with the previous vertex j), an edge counts when
// zi <= z < zj or zj <= z < zi, and a counted edge toggles "inside" when
// x < xi + (xj - xi)(z - zi)/(zj - zi).  The half-open interval gives a
// point on an edge shared by two zones to one of them only.
#pragma once

#include <cstdint>

struct ZoneRecord;

// Rounds to the nearest integer (ties to even, as the FPU's default mode),
// saturating far outside the int range; NaN gives INT32_MIN.  The callers
// range-check the result.
inline int TrackRound(double v) {
    if (!(v > -2.0e9 && v < 2.0e9))
        return v > 0 ? INT32_MAX : INT32_MIN;
    const double magic = 6755399441055744.0;   // 1.5 x 2^52: adding it drops the fraction
    return (int)((v + magic) - magic);
}

enum {
    ZONE_TYPE_NAMES = 25,
    ZONE_BIT_LIGHTS = 0x200000,   // "CAJA_FAROS": car lights on
    ZONE_BIT_JUMP = 0x80000,      // "CAJA_SALTO": jump measuring on group 4
};
extern const char* const ZoneTypeNames[ZONE_TYPE_NAMES];

// The mask bit of a zone type: 1 << max(t - 1, 0).  Types above 32 carry
// no bit.
int ZoneTypeBit(int type);

// The record's vertex count, within the record (0..32).
int ZoneVertexCount(const ZoneRecord& zone);

// The mask of the zone types at (x, z); 1 when no typed zone holds it, -1
// outside 1..1,000,000.  Sets InJumpZone on track group 4.
int ZoneMaskAt(float x, float z);

// Type of the first zone first..last that holds the current car; -1 none.
int ZoneTypeAtCar(int first, int last);

// 1 when the current car lies in the zone, else -1.
int CarInZone(int zone);

// First zone first..end-1 holding car `car` with a visibility list, else
// the zone found last (CurrentViewZone).
int FindZoneContaining(int first, int end, int car);

// 1 when (x, z) lies in the current car's footprint.
int PointInCarFootprint(float x, float z);

// The integer crossing test (64-bit intermediates, division truncating
// toward zero as the 32-bit original's).
int PointInPolygon(int n, const int* xs, const int* zs, int px, int pz);

// The double-precision crossing test of a zone polygon, as the world
// sections and the visibility search use it.
int PointInZoneExact(const ZoneRecord& zone, double px, double pz);

// The full-scale integer test of a zone record.
int PointInZone(const ZoneRecord& zone, int px, int pz);
