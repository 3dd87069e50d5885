// Start-up, the message loop and shutdown.
#pragma once

#include <cstdint>

struct LanguageRecord;

// The program's spine: checks, window, framework, every subsystem's start-up,
// then the message loop.  Returns the quit message's code after a normal run,
// 0 after a start-up failure; exits with code 1 when another instance runs.
int WinMain();

// 1 when no other instance runs; otherwise asks it to come to the front.
int ActivateRunningInstance();
void RunSetupProgram(int ownerWindow);
const LanguageRecord* SelectLanguage();
int CheckDirectX();
void GetDxVersion(int* version, int* platform);
void FindCdDrive();
int GetCdDriveLetter();
uint64_t GetFreeDiskBytes();
void ReadCpuFeatures();
void SetStartDefaults();
void ShutdownApp();

// Reads Config\Vondel.cfg into DisplayConfig; 1 when a whole record was read.
int ReadDisplayConfig();

// The message loop and its idle branch (one frame).
int RunMessageLoop();
void RunIdleFrame();
// Frames run by RunIdleFrame since start-up.
extern int FramesRun;
