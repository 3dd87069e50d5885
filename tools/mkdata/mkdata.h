// The generator of the sample game folder.
//
// No data of the original game exists here, so the game runs on a folder
// this program writes: configuration, message files, menus, sounds, tracks
// and cars.  Each subsystem has its own mkdata_<subsystem>.cpp; the records
// are written from the game's own record definitions, so generator and game
// cannot drift apart.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct MkOptions {
    std::string outDir;        // the game folder to write
    std::string videosetup;    // the built set-up program, copied beside the game
    int softwareKind = 0;      // Config\Vondel.cfg selects the software path
    std::vector<int> trackCodes;   // the track folders to write; empty: every code the menus start
    int looseTracks = 0;       // the tracks' BIN files as plain files, not archived
};

// Writes a plain file of the game folder (a Windows-style game path).
bool MkWriteFile(const std::string& gamePath, const void* data, size_t size);
bool MkWriteText(const std::string& gamePath, const std::string& text);
bool MkMakeDirs(const std::string& gamePath);

// Writes a file that ships inside a data archive: the path's first component
// names the archive ("3d\Cars\..." goes into data\3d.dat).
bool MkWriteArchived(const std::string& archivePath, const void* data, size_t size);

// The subsystems' parts of the folder, in the order they are made.
bool MakeFrameData(const MkOptions& options);
bool MakeRenderData(const MkOptions& options);
bool MakeTrackData(const MkOptions& options);
bool MakeRaceData(const MkOptions& options);
bool MakeSoundData(const MkOptions& options);
bool MakeFrontendData(const MkOptions& options);
// Fills fly-by set `code` from the guide line the last track build left in
// the line tables; MkWritePresentSets writes CONFIG\Present.cfg (the other
// sets at the defaults).
void MkPresentationSet(int code);
bool MkWritePresentSets();
// The dial, speed and gear cells (each track's map is drawn as it is built).
bool MkWriteDialAndMap();
// Config\config.def, Config\config.cfg and the sample drive script drive.txt.
bool MkWriteSettingsFiles();
// The three demo replays under Replay\Users (mkdata_replays.cpp).
bool MkWriteDemoReplays();
// The three intro videos beside the program (mkdata_video.h).
bool MakeVideoData(const MkOptions& options);
// Packs the staged archive trees into data\*.dat.
bool FinishArchives(const MkOptions& options);

// Makes the whole folder; false (with a message on stderr) on failure.
bool MakeGameFolder(const MkOptions& options);
