// The Direct3D texture manager.
#pragma once

void TextureFreeAll();
void ReloadTextureTable();
