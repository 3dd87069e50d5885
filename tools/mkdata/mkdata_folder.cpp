// Making the whole game folder.

#include <cstdio>

#include "mkdata.h"

void MkSetRoot(const std::string& root);

bool MakeGameFolder(const MkOptions& options) {
    MkSetRoot(options.outDir);
    if (!MkMakeDirs("")) {
        fprintf(stderr, "mkdata: cannot create %s\n", options.outDir.c_str());
        return false;
    }
    return MakeFrameData(options) && MakeRenderData(options) && MakeTrackData(options) &&
           MakeRaceData(options) && MakeSoundData(options) && MakeFrontendData(options) && MakeVideoData(options) &&
           FinishArchives(options);
}
