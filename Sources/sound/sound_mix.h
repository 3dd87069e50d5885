// The mixer calls every sound makes: play a slot on a channel, set a
// channel's volume, rate or direction, flush it, read its status.  Computed
// volumes and rates pass through here: a value that is not finite is never
// sent, and the mixer holds volumes to 0..32767.
#pragma once

#include "sound/sound_state.h"

// The effects level: VolumeLevels at EffectsLevel.
float EffectLevel();

// A computed value to an integer, toward zero or to the nearest; a value
// that is not finite gives 0, a huge one the int limit.
int TruncOf(double v);
int NearestOf(double v);

// Plays the wave of a slot on a channel (loops 0 once, -1 for ever, n for n
// more); nothing for an empty slot.
void PlaySlot(int channel, int slot, int loops, const PlayParams& block);
void SetChannelVolume(int channel, double volume);
void SetChannelRate(int channel, double rate);
// Writes the azimuth into a polar record and gives the record to the channel.
void SetChannelAzimuth(int channel, int record, float azimuth);
void SendPolarRecord(int channel, int record);
void FlushChannel(int channel);
// Reads the channel's status into ChannelStatus and returns it.
int ReadChannelStatus(int channel);
int ChannelIsDone(int channel);
// The play position of a channel (0 when nothing plays).
int ChannelPlayPosition(int channel);
