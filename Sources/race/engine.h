// Engine, gearbox and drive model: the planar half of a car's tick.  The
// stages run in this order inside StepCarPhysics: SteerAndPedals, the top
// gear, the sound signals, UpdateTurbo (JUMP events), RunGearbox,
// UpdateCarEngine, then ComputeDriveForce with ApplySurfaceResponse inside.
// They act on the decoded controls of the car being stepped.
#pragma once

struct CarBody;

enum {
    ENGINE_ROWS = 200,          // room in the table
    ENGINE_ROWS_FILLED = 111,   // rows 0..110
    HELD_ENGINE_ROW = 110,      // the engine every car has before the start
    ENGINE_GEARS = 8,
    JUMP_NORMAL_TOP = 6,        // JUMP rows: the top gear's rise and limit without turbo
    JUMP_TURBO_TOP = 7,         // ... and with it
};

// One engine row.
struct EngineTableRow {
    int topGear;                      // highest forward gear
    float revRise[ENGINE_GEARS];      // revs added per tick while accelerating
    float revLimit[ENGINE_GEARS];     // highest revs in the gear
    float speedRatio[ENGINE_GEARS];   // wheel speed per unit of revs
    float MaximoRuedas;               // largest steering angle
    float steerRate;                  // steering change per tick
    float steerReturn;                // return towards the centre per tick
    float turnGain;                   // yaw per unit of steering and speed
    float lateralGrip[4];             // sideways speed the tyres absorb (the first is read)
    float cameraLagFloor;             // lowest CameraLag
    float yawSpeedFactor;             // speed multiplier of the yaw rate (capped at 100)
    float yawFade;                    // fall of the turn gain with speed
};

// The engine rows; the JUMP turbo rewrites the top gear of rows 60..69
// while the program runs.
extern EngineTableRow EngineTable[ENGINE_ROWS];

// The engine row of a car: its motor value held to the filled rows.
int EngineRowOf(int car);

// A car's control word into the control flags of the car being stepped.
void DecodeCarInputBits(int bits);

void SteerAndPedals(int car);
void UpdateTopGear(int car);
void SignalCarSounds(int car);
void UpdateTurbo(int car);
void RunGearbox(int car);
void UpdateCarEngine(int car);
void ComputeDriveForce(CarBody* body, float driveForce, float steeringAngle, int car);
// Reads and writes the drive model's working force and steering.
void ApplySurfaceResponse(int car, float* force, float* steering);

// 1 on the arena events (group 5, variants other than 5).
int ArenaEvent();
