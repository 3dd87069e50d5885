// The 2D pictures of the sample folder (mkdata_render_2d.cpp).
#pragma once

// The font strip and its widths, the small font and its widths, the HUD
// boards at both sizes, the notice box, the logos and the loading and
// results screens, into the archives.
bool MkWrite2dGraphics();
