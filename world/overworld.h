// Overworld maps: ".\map\N.overworld", 65,536 raw terrain bytes, row y at byte y * 256.
#pragma once

// Reads map `number` into the terrain layer (layer 0). A short file fills
// only the bytes it holds; a missing file is created empty. Pauses 1 s after
// a successful open.
void LoadOverworld(int number);
