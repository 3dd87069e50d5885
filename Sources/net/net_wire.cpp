#include "net/net_wire.h"

#include <cmath>
#include <cstring>

static void PutI32(uint8_t* p, int32_t v) {
    const uint32_t u = (uint32_t)v;
    p[0] = (uint8_t)u;
    p[1] = (uint8_t)(u >> 8);
    p[2] = (uint8_t)(u >> 16);
    p[3] = (uint8_t)(u >> 24);
}

static int32_t GetI32(const uint8_t* p) {
    return (int32_t)((uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24);
}

static void PutF32(uint8_t* p, float f) {
    uint32_t u;
    memcpy(&u, &f, 4);
    PutI32(p, (int32_t)u);
}

static float GetF32(const uint8_t* p) {
    const uint32_t u = (uint32_t)GetI32(p);
    float f;
    memcpy(&f, &u, 4);
    return f;
}

static void PutI16(uint8_t* p, int16_t v) {
    p[0] = (uint8_t)((uint16_t)v);
    p[1] = (uint8_t)((uint16_t)v >> 8);
}

static int16_t GetI16(const uint8_t* p) { return (int16_t)(uint16_t)(p[0] | p[1] << 8); }

int EncodeChat(uint8_t* out, const char* text) {
    const size_t n = strnlen(text, CHAT_TEXT_MAX);
    out[0] = MSG_CHAT;
    memcpy(out + 1, text, n);
    out[1 + n] = 0;
    return (int)n + 2;
}

int DecodeChat(const uint8_t* data, int size, char text[CHAT_TEXT_MAX + 1]) {
    if (size < 2 || size > CHAT_TEXT_MAX + 2 || data[0] != MSG_CHAT || data[size - 1] != 0)
        return 0;
    // The NUL must be the last byte: text and size agree.
    if (memchr(data + 1, 0, (size_t)size - 2))
        return 0;
    memcpy(text, data + 1, (size_t)size - 1);
    return 1;
}

int EncodeIndexMessage(uint8_t* out, int type, int index) {
    out[0] = (uint8_t)type;
    PutI32(out + 1, index);
    return INDEX_MESSAGE_SIZE;
}

int DecodeIndexMessage(const uint8_t* data, int size, int* index) {
    if (size != INDEX_MESSAGE_SIZE)
        return 0;
    *index = GetI32(data + 1);
    return 1;
}

int EncodeCarChoice(uint8_t* out, int player, int model, int colour) {
    out[0] = MSG_CAR_CHOICE;
    PutI32(out + 1, player);
    PutI32(out + 5, model);
    PutI32(out + 9, colour);
    return CAR_CHOICE_SIZE;
}

int DecodeCarChoice(const uint8_t* data, int size, int* player, int* model, int* colour) {
    if (size != CAR_CHOICE_SIZE || data[0] != MSG_CAR_CHOICE)
        return 0;
    *player = GetI32(data + 1);
    *model = GetI32(data + 5);
    *colour = GetI32(data + 9);
    return 1;
}

int EncodeCarStates(uint8_t* out, const CarStateSample* samples, int count) {
    out[0] = MSG_CAR_STATES;
    for (int k = 0; k < count; k++) {
        uint8_t* r = out + 1 + CAR_STATE_RECORD * k;
        PutF32(r, samples[k].x);
        PutF32(r + 4, samples[k].z);
        PutF32(r + 8, samples[k].heading);
        PutF32(r + 12, samples[k].headingRate);
        PutI16(r + 16, samples[k].velocityZ);
        PutI16(r + 18, samples[k].velocityX);
    }
    return 1 + CAR_STATE_RECORD * count;
}

int DecodeCarStates(const uint8_t* data, int size, CarStateSample* samples, int* count) {
    if (size < 1 + CAR_STATE_RECORD || size > 1 + CAR_STATE_RECORD * 8 || (size - 1) % CAR_STATE_RECORD != 0 ||
        data[0] != MSG_CAR_STATES)
        return 0;
    *count = (size - 1) / CAR_STATE_RECORD;
    for (int k = 0; k < *count; k++) {
        const uint8_t* r = data + 1 + CAR_STATE_RECORD * k;
        samples[k].x = GetF32(r);
        samples[k].z = GetF32(r + 4);
        samples[k].heading = GetF32(r + 8);
        samples[k].headingRate = GetF32(r + 12);
        samples[k].velocityZ = GetI16(r + 16);
        samples[k].velocityX = GetI16(r + 18);
    }
    return 1;
}

int SampleIsFinite(const CarStateSample* s) {
    return std::isfinite(s->x) && std::isfinite(s->z) && std::isfinite(s->heading) && std::isfinite(s->headingRate);
}

int EncodeHitReport(uint8_t* out, const int values[4]) {
    out[0] = MSG_HIT_REPORT;
    PutI32(out + 1, 0);   // not read by anyone
    for (int i = 0; i < 4; i++)
        PutI32(out + 5 + 4 * i, values[i]);
    return HIT_REPORT_SIZE;
}

int EncodeIntPair(uint8_t* out, int type, int index, int value) {
    out[0] = (uint8_t)type;
    PutI32(out + 1, index);
    PutI32(out + 5, value);
    return COMMAND_SIZE;
}

int DecodeIntPair(const uint8_t* data, int size, int* index, int* value) {
    if (size != COMMAND_SIZE)
        return 0;
    *index = GetI32(data + 1);
    *value = GetI32(data + 5);
    return 1;
}

int EncodeTables(uint8_t* out, int type, const int first[8], const int second[8]) {
    out[0] = (uint8_t)type;
    for (int i = 0; i < 8; i++) {
        PutI32(out + 1 + 4 * i, first[i]);
        PutI32(out + 33 + 4 * i, second[i]);
    }
    return TABLE_MESSAGE_SIZE;
}

int DecodeTables(const uint8_t* data, int size, int first[8], int second[8]) {
    if (size != TABLE_MESSAGE_SIZE)
        return 0;
    for (int i = 0; i < 8; i++) {
        first[i] = GetI32(data + 1 + 4 * i);
        second[i] = GetI32(data + 33 + 4 * i);
    }
    return 1;
}

int EncodeGo(uint8_t* out) {
    out[0] = MSG_GO;
    return GO_SIZE;
}

int EncodePlayerList(uint8_t* out, int count, const uint32_t ids[8], const char names[8][256], int hostIndex) {
    memset(out, 0, PLAYER_LIST_SIZE);
    PutI32(out, MSG_PLAYER_LIST);
    PutI32(out + 4, count);
    for (int i = 0; i < count && i < 8; i++) {
        uint8_t* e = out + 8 + PLAYER_LIST_ENTRY * i;
        const size_t n = strnlen(names[i], 255);
        memcpy(e, names[i], n);
        PutI32(e + 256, (int32_t)ids[i]);
        PutI32(e + 260, i == hostIndex ? 1 : 0);
    }
    return PLAYER_LIST_SIZE;
}

int DecodePlayerList(const uint8_t* data, int size, int* count, uint32_t ids[8], char names[8][256], int isHost[8]) {
    if (size != PLAYER_LIST_SIZE || GetI32(data) != MSG_PLAYER_LIST)
        return 0;
    const int n = GetI32(data + 4);
    if (n < 0 || n > 8)
        return 0;
    *count = n;
    for (int i = 0; i < n; i++) {
        const uint8_t* e = data + 8 + PLAYER_LIST_ENTRY * i;
        memcpy(names[i], e, 256);
        names[i][255] = 0;
        ids[i] = (uint32_t)GetI32(e + 256);
        isHost[i] = GetI32(e + 260) == 1;
    }
    return 1;
}
