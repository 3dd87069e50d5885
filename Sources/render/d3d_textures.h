// The Direct3D texture manager.
#pragma once

void TextureFreeAll();
void ReloadTextureTable();
// A texture container for the bitmap at `path` in the slot: 0 made, -1 not.
int AddTextureContainer(const char* path, int slot);
