#include "race/car_setup.h"

#include "race/race_state.h"

namespace {

struct GridLayout {
    float left[3], right[3];
    float stepX, stepZ;
};

const GridLayout GridLayoutTable[18] = {
    {{0, 0, 0}, {0, 0, 0}, 0, 0},
    {{59971, 1548, 63465}, {58653, 1549, 61484}, 0, -3415},
    {{66491, 15, 107790}, {66961, 15, 106221}, 3922, -2520},
    {{56149, 12, 101793}, {55602, 15, 98700}, 704, -5318},
    {{0, 0, 0}, {0, 0, 0}, 0, 0},
    {{30904, 300, 37586}, {30904, 300, 38586}, 100, 100},
    {{22557, 90, 59630}, {21353, 90, 57873}, 0, -3055},
    {{24056, 78, 69566}, {22739, 78, 67505}, 607, -4000},
    {{59987, 1550, 65933}, {58771, 1550, 67556}, 0, 2600},
    {{64286, 15, 107934}, {63086, 15, 110002}, -3922, 2520},
    {{22945, 94, 62509}, {21327, 98, 65862}, 0, 4200},
    {{40094, 92, 72214}, {41796, 92, 73789}, 100, 3000},
    {{22168, 84, 71559}, {24595, 84, 73918}, 0, 5000},
    {{29488, 84, 38400}, {32139, 84, 36400}, 0, -2000},
    {{41600, 75, 69295}, {40288, 75, 68266}, 0, -4200},
    {{41600, 75, 69295}, {40288, 75, 68266}, 0, -4200},
    {{40094, 92, 72214}, {41796, 92, 73789}, 100, 3000},
    {{29488, 84, 38400}, {32139, 84, 36400}, 0, -2000},
};

void Place(int car, float x, float y, float z) {
    cocheX[car] = x;
    cocheY[car] = y;
    cocheZ[car] = z;
}

}  // namespace

int GridLayoutOf(int code) {
    switch (code) {
    case 12: case 13: return 8;
    case 22: case 23: return 9;
    case 62: return 14;
    case 65: return 11;
    case 66: return 10;
    case 68: return 15;
    case 69: return 16;
    case 76: return 12;
    case 78: return 17;
    case 79: return 13;
    default: return code / 10 >= 0 && code / 10 < 18 ? code / 10 : 0;
    }
}

void SetUpCarsForRace() {
    const int cars = CarCount < MAX_CARS ? (int)CarCount : MAX_CARS;
    for (int car = 0; car < cars; car++)
        DriveDirection[car] = 1;

    // Rows of two in starting order: car 0 starts last.
    const GridLayout& layout = GridLayoutTable[GridLayoutOf(TrackCode)];
    for (int place = 0; place < cars; place++) {
        const int car = cars - 1 - place;
        const int row = place / 2;
        const float* start = place % 2 == 0 ? layout.left : layout.right;
        Place(car, start[0] + row * layout.stepX, start[1], start[2] + row * layout.stepZ);
    }
    if (TrackCode == 67) {
        Place(0, 31000, 300, 13000);
    } else {
        // The reverse variants drive the other way round.
        const int code = TrackCode;
        if (code == 12 || code == 13 || code == 22 || code == 23 || code == 65 || code == 66 || code == 69 ||
            code == 76) {
            for (int car = 0; car < cars; car++)
                CarHeading[car] += 3.14159265358979f;
        }
        if (TrackGroup == 4) {
            if (TrackVariant == 0) {
                CarHeading[0] = -0.7f;
                Place(0, 47404, 73, 85569);
            } else if (TrackVariant == 1 || TrackVariant == 2 || TrackVariant == 5) {
                CarHeading[0] = 0.0f;
                Place(0, 50612, 73, 57110);
            } else if (TrackVariant == 3 || TrackVariant == 4) {
                CarHeading[0] = -2.35249f;
                Place(0, 78393.97f, 66, 41801.65f);
            }
        }
        if (TrackGroup == 5) {
            if (TrackVariant != 5) {
                Place(0, 30904, 300, 37586);
            } else {
                Place(0, 23432, 95, 54383);
                Place(1, 24999, 95, 54401);
            }
        }
    }
    for (int car = 0; car < cars; car++) {
        SimPosX[car] = cocheX[car];
        SimPosY[car] = cocheY[car];
        SimPosZ[car] = cocheZ[car];
        SimHeading[car] = CarHeading[car];
    }
}
