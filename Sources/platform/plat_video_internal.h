// Internals of the video files (never included by game code).
#pragma once

struct PlatVideo;

// plat_video.cpp: opens a video from a host path (PlatVideoOpenFile has
// resolved the game path).
int VideoOpenHostFile(const char* hostPath, PlatVideo** out);
