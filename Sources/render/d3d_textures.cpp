#include "render/d3d_textures.h"

void TextureFreeAll() {}
void ReloadTextureTable() {}
// The texture manager is not built yet: no container is made, so the
// texture loader marks the slot missing and the scene draws without it.
int AddTextureContainer(const char*, int) { return -1; }
