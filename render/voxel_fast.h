// The fast renderer: the same faces, panels and markers as the immediate-mode
// renderer, collected in one pass over the volume into one vertex array per
// texture and drawn with one call each. The face list is kept while the
// cursor, MVD, the world and the context stay the same.
#pragma once

void DrawVisibleCellsFast();

// Forgets the kept face list, so the next frame collects it afresh.
void InvalidateFaceList();
