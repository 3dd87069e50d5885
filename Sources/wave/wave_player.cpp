// The 3D wave player over the mixer's 3D buffers.

#include "wave/wave_player.h"

#include <cstring>

#include "platform/plat_file.h"

PlatBuffer3D WaveBuffers[WAVE_PLAYER_SLOTS];
PlatBuffer3D Wave3DBuffers[WAVE_PLAYER_SLOTS];
int DirectSoundReady;
int EaxAvailable;
int WaveBytesLoaded;
int VolumeRampDone;
char WaveDebugLine[WAVE_DEBUG_LINE];
int WaveDebugLineShown;

// The extra static buffer the reverb would ride on.
static PlatBuffer3D reverbBuffer;

static const char* const WaveFile = ".\\Sources\\wave.cpp";

enum { HEADER_BYTES = 44, MIN_RATE = 1000, MAX_RATE = 192000 };

static uint32_t ReadU32(const unsigned char* p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
static int ReadU16(const unsigned char* p) { return p[0] | p[1] << 8; }

// ---------------------------------------------------------------------------
// Start and stop

int InitDirectSound3D(int) {
    DirectSoundReady = PlatMixerIsOpen();
    if (!DirectSoundReady)
        return 0;
    PlatListener3D listener = {};
    listener.front[0] = -1.0f;
    listener.top[1] = 1.0f;
    listener.rolloff = 1.0f;
    listener.doppler = 10.0f;
    PlatListener3DSet(&listener);
    EaxAvailable = SetUpEax();
    return 1;
}

int SetUpEax() {
    if (!reverbBuffer)
        reverbBuffer = PlatBuffer3DCreate(1, 11025, 16, 1024);
    // The mixer has no reverb property sets to offer.
    EaxAvailable = 0;
    return 0;
}

int SetEaxEnvironment(int) { return EaxAvailable; }

void ReleaseWaveBuffers() {
    for (int i = 0; i < WAVE_PLAYER_SLOTS; i++) {
        if (WaveBuffers[i])
            PlatBuffer3DRelease(WaveBuffers[i]);
        WaveBuffers[i] = 0;
        Wave3DBuffers[i] = 0;
    }
}

void ShutdownDirectSound() {
    if (reverbBuffer)
        PlatBuffer3DRelease(reverbBuffer);
    reverbBuffer = 0;
    ReleaseWaveBuffers();
    EaxAvailable = 0;
    DirectSoundReady = 0;
}

// ---------------------------------------------------------------------------
// Errors

static const char* const ErrorNames[] = {
    nullptr,
    "DSERR_ALLOCATED",
    "DSERR_CONTROLUNAVAIL",
    "DSERR_INVALIDPARAM",
    "DSERR_INVALIDCALL",
    "DSERR_GENERIC",
    "DSERR_PRIOLEVELNEEDED",
    "DSERR_OUTOFMEMORY",
    "DSERR_BADFORMAT",
    "DSERR_UNSUPPORTED",
    "DSERR_NODRIVER",
    "DSERR_ALREADYINITIALIZED",
    "DSERR_NOAGGREGATION",
    "DSERR_BUFFERLOST",
    "DSERR_OTHERAPPHASPRIO",
    "DSERR_UNINITIALIZED",
};

void DebugPrint(const char* text) {
    // The text and a line end, cut to the line's room.
    const size_t n = text ? strnlen(text, WAVE_DEBUG_LINE - 2) : 0;
    memcpy(WaveDebugLine, text ? text : "", n);
    WaveDebugLine[n] = '\n';
    WaveDebugLine[n + 1] = 0;
    WaveDebugLineShown = 1;
}

void DirectSoundError(int code, const char* file, int line) {
    const int known = code >= WAVE_ERR_ALLOCATED && code <= WAVE_ERR_UNINITIALIZED;
    char text[WAVE_DEBUG_LINE];
    snprintf(text, sizeof text, "DirectSound Error %s\nin file %s at line %d", known ? ErrorNames[code] : "Unknown Error",
             file ? file : "", line);
    DebugPrint(text);
}

// ---------------------------------------------------------------------------
// Buffers

int CreateWaveBuffer(int index, int dataBytes, int rate, int bits, int blockAlign, int stereo) {
    if (index < 0 || index >= WAVE_PLAYER_SLOTS) {
        DirectSoundError(WAVE_ERR_INVALIDPARAM, WaveFile, 70);
        return 0;
    }
    const int channels = stereo ? 2 : 1;
    if (blockAlign != channels * bits / 8) {
        DirectSoundError(WAVE_ERR_BADFORMAT, WaveFile, 70);
        return 0;
    }
    if (WaveBuffers[index])
        PlatBuffer3DRelease(WaveBuffers[index]);
    WaveBuffers[index] = PlatBuffer3DCreate(channels, rate, bits, dataBytes);
    Wave3DBuffers[index] = 0;
    if (!WaveBuffers[index]) {
        DirectSoundError(DirectSoundReady ? WAVE_ERR_OUTOFMEMORY : WAVE_ERR_UNINITIALIZED, WaveFile, 70);
        return 0;
    }
    // The buffer is its own 3D side.
    Wave3DBuffers[index] = WaveBuffers[index];
    return 1;
}

int FillWaveBuffer(PlatBuffer3D buffer, FILE* file, int bytes, int offset) {
    enum { CHUNK = 16384 };
    if (!file || bytes <= 0 || bytes > PlatBuffer3DBytes(buffer))
        return 0;
    if (offset != -1 && fseek(file, offset, SEEK_SET) != 0)
        return 0;
    unsigned char chunk[CHUNK];
    int done = 0;
    while (done < bytes) {
        const int want = bytes - done < CHUNK ? bytes - done : CHUNK;
        const size_t got = fread(chunk, 1, (size_t)want, file);
        if (got != (size_t)want) {
            char line[128];
            snprintf(line, sizeof line, "Data1 : %d, dwdata: %d, pFile: %d", done + (int)got, bytes, file != nullptr);
            return 0;
        }
        if (PlatBuffer3DWrite(buffer, done, chunk, want) != want)
            return 0;
        done += want;
    }
    return 1;
}

int ParseWaveHeader(const unsigned char* h, int headerBytes, long fileBytes, WaveFileHeader* out) {
    if (!h || !out || headerBytes < HEADER_BYTES || fileBytes < HEADER_BYTES)
        return 0;
    if (memcmp(h, "RIFF", 4) != 0 || memcmp(h + 8, "WAVE", 4) != 0)
        return 0;
    const int tag = ReadU16(h + 20);
    const int channels = ReadU16(h + 22);
    const uint32_t rate = ReadU32(h + 24);
    const int align = ReadU16(h + 32);
    const int bits = ReadU16(h + 34);
    if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16))
        return 0;
    if (rate < MIN_RATE || rate > MAX_RATE || align != channels * bits / 8)
        return 0;
    // The data size is taken as far as the file goes, in whole frames.
    uint64_t data = ReadU32(h + 40);
    const uint64_t room = (uint64_t)(fileBytes - HEADER_BYTES);
    if (data > room)
        data = room;
    data -= data % (uint64_t)align;
    if (data == 0)
        return 0;
    out->dataBytes = (int)data;
    out->rate = (int)rate;
    out->channels = channels;
    out->blockAlign = align;
    out->bits = bits;
    return 1;
}

int LoadWaveFile(const char* path, int index) {
    if (!path || index < 0 || index >= WAVE_PLAYER_SLOTS)
        return 0;
    FILE* file = PlatFopen(path, "rb");
    if (!file)
        return 0;
    unsigned char header[HEADER_BYTES];
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    WaveFileHeader w;
    int ok = size >= HEADER_BYTES && fseek(file, 0, SEEK_SET) == 0 &&
             fread(header, 1, HEADER_BYTES, file) == HEADER_BYTES && ParseWaveHeader(header, HEADER_BYTES, size, &w);
    if (ok) {
        WaveBytesLoaded += w.dataBytes;
        ok = CreateWaveBuffer(index, w.dataBytes, w.rate, w.bits, w.blockAlign, w.channels == 2) &&
             FillWaveBuffer(WaveBuffers[index], file, w.dataBytes, HEADER_BYTES);
    }
    fclose(file);
    return ok;
}

void RampWaveVolume(int index, int limit, int step) {
    if (index < 0 || index >= WAVE_PLAYER_SLOTS || !PlatBuffer3DIsPlaying(WaveBuffers[index]))
        return;
    const int volume = PlatBuffer3DGetVolume(WaveBuffers[index]);
    PlatBuffer3DSetVolume(WaveBuffers[index], volume + step);
    if (volume >= limit)
        VolumeRampDone = 1;
}
