// Textures and the sky picture of the sample folder: 8-bit palettised
// bitmaps (palette index 0 black, width a multiple of 4), drawn here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture to write: rgb per pixel (0x00RRGGBB), top row first.
struct MkPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
};

// The bytes of an 8-bit bitmap of the picture: black is palette index 0;
// a picture of more than 255 other colours is reduced to fewer bits.
std::vector<uint8_t> MkEncodeBmp8(const MkPicture& picture);

// The track's, the sky's and every car part's textures into the archives.
bool MkWriteTextures();
