// Asset folder paths of cars, tracks, artwork and scoreboards.
#pragma once

void SetTrackFolder();
