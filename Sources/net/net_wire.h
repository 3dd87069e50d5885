// The game messages byte for byte: the first byte is the type, the fields
// follow packed, little-endian (int 32-bit, float IEEE 32-bit, short 16-bit).
// Encoders write exactly the message's size; decoders take exactly that size
// and nothing else.
#pragma once

#include <cstdint>

enum NetMessageType {
    MSG_CHAT = 1,
    MSG_ASSIGN_INDEX = 2,
    MSG_CAR_CHOICE = 3,
    MSG_CAR_STATES = 4,
    MSG_HIT_REPORT = 5,
    MSG_COMMAND = 6,
    MSG_CONTROL_BITS = 7,
    MSG_STANDINGS = 8,
    MSG_HOST_INDEX = 9,
    MSG_RACE_RESULTS = 11,
    MSG_GO = 12,
    MSG_PLAYER_LIST = 100,
};

enum {
    CHAT_TEXT_MAX = 144,                 // characters, before the NUL
    INDEX_MESSAGE_SIZE = 5,              // assign index, host index
    CAR_CHOICE_SIZE = 13,
    CAR_STATE_RECORD = 20,
    HIT_REPORT_SIZE = 21,
    COMMAND_SIZE = 9,                    // command, control bits
    TABLE_MESSAGE_SIZE = 65,             // standings, race results
    GO_SIZE = 1,
    PLAYER_LIST_ENTRY = 264,
    PLAYER_LIST_SIZE = 8 + 8 * PLAYER_LIST_ENTRY,
    NET_CAR_MODELS = 18,
    NET_CAR_COLOURS = 8,
};
static_assert(PLAYER_LIST_SIZE == 2120, "the player list message is 2120 bytes");

// NetCommand codes.
enum {
    NETCMD_GO = 1,
    NETCMD_RESTART = 2,
    NETCMD_LOADED = 3,
    NETCMD_PAUSE = 4,
    NETCMD_RESUME = 5,
    NETCMD_QUIT = 6,
    NETCMD_RACE_OVER = 7,
};

// One car's state as it travels: position, heading, heading rate per tick
// and the two velocity components in 1/64 units.  No height.
struct CarStateSample {
    float x, z, heading, headingRate;
    int16_t velocityZ, velocityX;
};

int EncodeChat(uint8_t* out, const char* text);                 // length + 2
int EncodeIndexMessage(uint8_t* out, int type, int index);      // 5
int EncodeCarChoice(uint8_t* out, int player, int model, int colour);
int EncodeCarStates(uint8_t* out, const CarStateSample* samples, int count);
int EncodeHitReport(uint8_t* out, const int values[4]);
int EncodeIntPair(uint8_t* out, int type, int index, int value);   // command, control bits
int EncodeTables(uint8_t* out, int type, const int first[8], const int second[8]);
int EncodeGo(uint8_t* out);
int EncodePlayerList(uint8_t* out, int count, const uint32_t ids[8], const char names[8][256], int hostIndex);

// Decoders: 1 when the bytes are exactly one message of that layout (type
// byte included).  Chat: NUL-terminated inside, at most CHAT_TEXT_MAX
// characters.  Car states: 1 + 20 x n bytes, n from 1 to 8.
int DecodeChat(const uint8_t* data, int size, char text[CHAT_TEXT_MAX + 1]);
int DecodeIndexMessage(const uint8_t* data, int size, int* index);
int DecodeCarChoice(const uint8_t* data, int size, int* player, int* model, int* colour);
int DecodeCarStates(const uint8_t* data, int size, CarStateSample* samples, int* count);
int DecodeIntPair(const uint8_t* data, int size, int* index, int* value);
int DecodeTables(const uint8_t* data, int size, int first[8], int second[8]);
// Player list: count 0..8; every name ends inside its 256 bytes (forced).
int DecodePlayerList(const uint8_t* data, int size, int* count, uint32_t ids[8], char names[8][256], int isHost[8]);

// A sample whose floats are all finite.
int SampleIsFinite(const CarStateSample* s);
