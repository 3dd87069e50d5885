#include "render/d3d_textures.h"

void TextureFreeAll() {}
void ReloadTextureTable() {}
