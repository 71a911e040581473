// The game's own maps, sceneries and textures, listed in text files beside the program so
// that they can be left out of the catalogue and the archives.
#pragma once

#include "state/app_state.h"

constexpr int kDefaultMapsMaxLine = 46;
constexpr int kDefaultSceneriesMaxLine = 50;
constexpr int kDefaultTexturesMaxLine = 24;

// Loads "default maps.txt", "default sceneries.txt" and "default textures.txt" from the
// program folder, each sorted and made unique: they are subtracted from sorted lists. A
// missing or empty file leaves its list empty, without a message.
void LoadDefaultFileLists(AppState& state);
