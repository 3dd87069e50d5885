#include "track/zones.h"

#include "race/race_state.h"
#include "track/track_state.h"

const char* const ZoneTypeNames[ZONE_TYPE_NAMES] = {
    "nada",           "CAJA_ASFALTO",     "CAJA_TUNEL",  "CAJA_TIERRA",   "CAJA_HIERBA",
    "CAJA_PERALTE",   "CAJA_AGUA",        "CAJA_MEZCLA", "CAJA_PIEDRA",   "CAJA_ARENA",
    "CAJA_TIERRAPLAYA", "CAJA_OLEAJE",    "CAJA_CROSS",  "CAJA_BUS",      "CAJA_RAMPA",
    "CAJA_SUPERRAMPA", "CAJA_ADOQUINES",  "CAJA_INUTIL", "CAJA_AGUA2",    "CAJA_AGUA3",
    "CAJA_SALTO",     "CAJA_SALTO2",      "CAJA_FAROS",  "Sin usar",      "Sin usar",
};

// The integer queries accept 1..1,000,000 after rounding.
static const int QueryLimit = 1000000;

int ZoneTypeBit(int type) {
    if (type <= 1)
        return 1;
    if (type > 32)
        return 0;
    return (int)(1u << (type - 1));
}

int ZoneVertexCount(const ZoneRecord& zone) {
    const int count = zone.vertexWords >> 2;
    if (count < 0)
        return 0;
    return count > ZONE_MAX_VERTICES ? ZONE_MAX_VERTICES : count;
}

// One edge of the integer rule.  An edge counts when exactly one of its
// ends lies at or below pz: that is zi <= pz < zj or zj <= pz < zi.  The
// product would overflow 32 bits for vertices far apart, so it is taken in
// 64 bits; C++ division truncates toward zero like the original's.
static inline int EdgeToggles(int64_t xi, int64_t zi, int64_t xj, int64_t zj, int64_t px, int64_t pz) {
    if ((zi <= pz) == (zj <= pz))
        return 0;
    return px < xi + (xj - xi) * (pz - zi) / (zj - zi);
}

int PointInPolygon(int n, const int* xs, const int* zs, int px, int pz) {
    int inside = 0;
    for (int i = 0, j = n - 1; i < n; j = i++)
        inside ^= EdgeToggles(xs[i], zs[i], xs[j], zs[j], px, pz);
    return inside;
}

int PointInZone(const ZoneRecord& zone, int px, int pz) {
    const int n = ZoneVertexCount(zone);
    int inside = 0;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const ZoneVertex& a = zone.vertices[i];
        const ZoneVertex& b = zone.vertices[j];
        inside ^= EdgeToggles(a.x, a.z, b.x, b.z, px, pz);
    }
    return inside;
}

// The 1/8-scale test of ZoneMaskAt: vertex coordinates shifted right by 3.
// Each vertex is shifted once and carried to the next edge; most edges end
// at the z test.
static int PointInZoneEighth(const ZoneRecord& zone, int n, int px, int pz) {
    int inside = 0;
    int xj = zone.vertices[n - 1].x >> 3;
    int zj = zone.vertices[n - 1].z >> 3;
    for (int i = 0; i < n; i++) {
        const int xi = zone.vertices[i].x >> 3;
        const int zi = zone.vertices[i].z >> 3;
        if ((zi <= pz) != (zj <= pz))
            inside ^= px < xi + (int64_t)(xj - xi) * (pz - zi) / (zj - zi);
        xj = xi;
        zj = zi;
    }
    return inside;
}

int PointInZoneExact(const ZoneRecord& zone, double px, double pz) {
    const int n = ZoneVertexCount(zone);
    int inside = 0;
    // The polygon is closed by repeating vertex 0; each point i is paired
    // with the point before it.
    for (int i = 1; i <= n; i++) {
        const ZoneVertex& a = zone.vertices[i == n ? 0 : i];
        const ZoneVertex& b = zone.vertices[i - 1];
        const double xi = a.x, zi = a.z, xj = b.x, zj = b.z;
        if ((zi <= pz && pz < zj) || (zj <= pz && pz < zi)) {
            if (px < xi + (xj - xi) * (pz - zi) / (zj - zi))
                inside ^= 1;
        }
    }
    return inside;
}

static int CarIndex(int car) { return car >= 0 && car < MAX_CARS ? car : 0; }

int ZoneMaskAt(float x, float z) {
    const int ix = TrackRound(x);
    const int iz = TrackRound(z);
    if (ix < 1 || ix > QueryLimit || iz < 1 || iz > QueryLimit)
        return -1;

    InJumpZone = 0;
    // The grid covers 160,000 x 240,000: a point beyond it is in no zone.
    const int column = ix / ZONE_CELL_SIZE;
    const int row = iz / ZONE_CELL_SIZE;
    if (column >= ZoneGrid.columns || row >= ZoneGrid.rows)
        return 1;

    const int px = TrackRound(ix * 0.125);
    const int pz = TrackRound(iz * 0.125);
    const int onGround = WheelsInAir[CarIndex(CurrentCar)].load(std::memory_order_relaxed) < 4;
    const int jumpGroup = TrackGroup == 4;
    int mask = 0;
    for (const int* entry = ZoneGrid.lists + ZoneGrid.offsets[row * ZONE_GRID_COLUMNS + column]; *entry != -1;
         entry++) {
        const ZoneRecord& zone = ZoneTable.records[*entry];
        const int n = ZoneVertexCount(zone);
        if (n < 3 || !PointInZoneEighth(zone, n, px, pz))
            continue;
        const int bit = ZoneTypeBit(zone.type);
        if (onGround)
            mask |= bit;
        if (jumpGroup && (bit & ZONE_BIT_JUMP))
            InJumpZone = 1;
    }
    return mask == 0 ? 1 : mask;
}

static int ClampZone(int zone) {
    if (zone < 0)
        return 0;
    return zone >= ZONE_RECORDS ? ZONE_RECORDS - 1 : zone;
}

// The current car's rounded position, 0 when outside 1..1,000,000.
static int CurrentCarPoint(int* px, int* pz) {
    const int car = CarIndex(CurrentCar);
    *px = TrackRound(cocheX[car]);
    *pz = TrackRound(cocheZ[car]);
    return *px >= 1 && *px <= QueryLimit && *pz >= 1 && *pz <= QueryLimit;
}

int ZoneTypeAtCar(int first, int last) {
    int px, pz;
    if (!CurrentCarPoint(&px, &pz) || first > last)
        return -1;
    for (int zone = ClampZone(first); zone <= ClampZone(last); zone++) {
        const ZoneRecord& record = ZoneTable.records[zone];
        if (ZoneVertexCount(record) >= 3 && PointInZone(record, px, pz))
            return record.type;
    }
    return -1;
}

int CarInZone(int zone) {
    int px, pz;
    if (zone < 0 || zone >= ZONE_RECORDS || !CurrentCarPoint(&px, &pz))
        return -1;
    const ZoneRecord& record = ZoneTable.records[zone];
    return ZoneVertexCount(record) >= 3 && PointInZone(record, px, pz) ? 1 : -1;
}

int FindZoneContaining(int first, int end, int car) {
    car = CarIndex(car);
    const double x = cocheX[car];
    const double z = cocheZ[car];
    if (!(x > 0 && x <= QueryLimit && z > 0 && z <= QueryLimit))
        return CurrentViewZone;
    if (first < 0)
        first = 0;
    if (end > ZONE_RECORDS)
        end = ZONE_RECORDS;
    for (int zone = first; zone < end; zone++) {
        const ZoneRecord& record = ZoneTable.records[zone];
        if (ZoneVertexCount(record) >= 3 && record.visibility[0] != 0 && PointInZoneExact(record, x, z)) {
            CurrentViewZone = zone;
            return zone;
        }
    }
    return CurrentViewZone;
}

int PointInCarFootprint(float x, float z) {
    const int car = CarIndex(CurrentCar);
    const float dx = x - cocheX[car];
    const float dz = z - cocheZ[car];
    if (!(dx * dx + dz * dz <= 1620000.0f))
        return 0;
    int xs[4], zs[4];
    for (int k = 0; k < 4; k++) {
        xs[k] = TrackRound(CarFootprints[car][2 * k]);
        zs[k] = TrackRound(CarFootprints[car][2 * k + 1]);
    }
    return PointInPolygon(4, xs, zs, TrackRound(x), TrackRound(z));
}
