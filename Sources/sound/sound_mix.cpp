#include "sound/sound_mix.h"

#include <climits>
#include <cmath>

float EffectLevel() {
    const int level = EffectsLevel;
    return VolumeLevels[level < 0 ? 0 : level > 5 ? 5 : level];
}

static int Clamped(double v) {
    if (!std::isfinite(v))
        return 0;
    if (v >= (double)INT_MAX)
        return INT_MAX;
    if (v <= (double)INT_MIN)
        return INT_MIN;
    return (int)v;
}

int TruncOf(double v) { return Clamped(std::trunc(v)); }
int NearestOf(double v) { return Clamped(std::nearbyint(v)); }

void PlaySlot(int channel, int slot, int loops, const PlayParams& block) {
    if (slot < 0 || slot >= WAVE_SLOTS)
        return;
    const PlatWave wave = WaveTable[slot];
    if (wave)
        PlatMixerPlay(channel, wave, loops, &block);
}

void SetChannelVolume(int channel, double volume) {
    if (std::isfinite(volume))
        PlatMixerSetVolume(channel, Clamped(volume));
}

void SetChannelRate(int channel, double rate) {
    if (std::isfinite(rate))
        PlatMixerSetFrequency(channel, Clamped(rate));
}

void SendPolarRecord(int channel, int record) {
    if (record >= 0 && record < POLAR_RECORDS)
        PlatMixerSetPolar(channel, &PolarPositions[record]);
}

void SetChannelAzimuth(int channel, int record, float azimuth) {
    if (record < 0 || record >= POLAR_RECORDS || !std::isfinite(azimuth))
        return;
    PolarPositions[record].azimuth = azimuth;
    SendPolarRecord(channel, record);
}

void FlushChannel(int channel) { PlatMixerFlush(channel); }

int ReadChannelStatus(int channel) {
    const int status = PlatMixerStatus(channel);
    if (channel >= 0 && channel < STATUS_CHANNELS)
        ChannelStatus[channel] = status;
    return status;
}

int ChannelIsDone(int channel) { return PlatMixerIsDone(channel); }

int ChannelPlayPosition(int channel) {
    PlatWave wave = 0;
    int position = 0;
    PlatMixerPlayPosition(channel, &wave, &position);
    return position;
}
