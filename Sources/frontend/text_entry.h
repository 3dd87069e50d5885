// Text entry and the chat line.
#pragma once

struct PlatSurface;

void SaveReplayPrompt(PlatSurface* surface);
