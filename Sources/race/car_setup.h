// Car model set-up: the starting grid, the driving state of every car, the
// opponents' driving values and the players' engines.
#pragma once

// Puts the cars of the race on the starting grid of the track (cocheX ...,
// CarHeading, then SimPosX ...), clears their driving state and gives every
// car its engine row and the opponents their driver values.
void SetUpCarsForRace();
// Where grid place 0..7 of a track code's layout lies (rows of two, place 0
// at the left start point); 0 for a place outside the grid.
int GridPlacePosition(int trackCode, int place, float* x, float* y, float* z);
// The grid layout a track code uses (0..17).
int GridLayoutOf(int trackCode);
// Player 0 or 1's engine row from its car model and colour; also the
// spin-out threshold and the network start damping.
void SetCarEngineType(int player);
// 1 when the shared generator's value / 32767 is above 0.5.
int CoinFlip();

// The engine row of a model and colour, or -1 where the table leaves the
// engine as it was (and for a model or colour outside it).
int EngineChoiceOf(int model, int colour);

// One opponent's values on a track: a profile of OPPONENT_COIN takes a coin
// flip.
enum { OPPONENT_COIN = -1, OPPONENT_TRACKS = 24 };
struct OpponentEntry {
    float steerTolerance;
    int skill;
    int profile;
    int motor;
};
struct OpponentRow {
    int trackCode;
    int carsNamed;             // cars 1..carsNamed have values
    OpponentEntry cars[7];     // cars 1..7
};
extern const OpponentRow OpponentTable[OPPONENT_TRACKS];
// The row of a track code, or null.
const OpponentRow* OpponentRowOf(int trackCode);
