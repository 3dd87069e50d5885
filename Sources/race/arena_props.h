// The props of the arena events.
#pragma once

// The arena cars' places among the props; the car set-up calls it.
void PlaceArenaCars();
