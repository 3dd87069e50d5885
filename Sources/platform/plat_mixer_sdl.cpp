// The SDL2 audio device of the mixer: 16-bit stereo at the session's rate,
// mixed in SDL's audio thread.  SDL_AUDIODRIVER chooses the driver (dummy
// gives a device that plays nowhere).

#include <SDL.h>

#include "platform/plat_mixer_internal.h"
#include "platform/plat_system.h"

static SDL_AudioDeviceID audioDevice;
static int audioSubsystemOurs;

static void SDLCALL AudioCallback(void*, Uint8* stream, int length) {
    MixerRenderOutput((int16_t*)stream, length / 4);
}

int SdlAudioOpen(int rate) {
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            PlatDebugOut(SDL_GetError());
            return 0;
        }
        audioSubsystemOurs = 1;
    }
    SDL_AudioSpec want = {};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 512;
    want.callback = AudioCallback;
    // No changes allowed: SDL converts to whatever the hardware wants.
    audioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (audioDevice == 0) {
        PlatDebugOut(SDL_GetError());
        if (audioSubsystemOurs)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioSubsystemOurs = 0;
        return 0;
    }
    SDL_PauseAudioDevice(audioDevice, 0);
    return 1;
}

void SdlAudioClose() {
    // SDL_Quit may have taken the audio down already.
    if (audioDevice != 0 && SDL_WasInit(SDL_INIT_AUDIO))
        SDL_CloseAudioDevice(audioDevice);
    audioDevice = 0;
    if (audioSubsystemOurs && SDL_WasInit(SDL_INIT_AUDIO))
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioSubsystemOurs = 0;
}
