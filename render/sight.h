// Lines of sight through the drawn cells. A line from the eye to a face
// passes from cell to cell through the planes between them; it stops at a
// plane where either cell draws a face and goes on where neither does (two
// solid cells, two open ones, a panel beside rock across its sides). It
// also stays inside the view volume, which holds the eye's apex and is
// convex. The fill below finds every cell such a line can enter; a face
// whose cells both lie more than a step from all of those is hidden behind
// faces that are drawn, by a cell or more, or lies outside the view, and
// skipping it changes no pixel.
#pragma once

// The view volume as six planes (a, b, c, d) in world cells, inside where
// a x + b y + c z + d >= 0, each with a unit normal.
struct ViewPlanes {
    double plane[6][4];
};

// Fills the box lo..hi (inclusive world cells) from the cells around the
// eye, a world position in cells (a cell's centre at whole numbers). The
// cells around it are those within reach of the near plane, which can cut
// away a face right in front of the eye. Returns false, with nothing
// filled, when those cells are not all inside the box: every cell then
// counts as seen. A fill is kept while the box, the view (whose side planes
// meet at the eye) and the world stay the same.
bool FillSight(const int lo[3], const int hi[3], const float eye[3], const ViewPlanes& view);

// Drops the kept fill, for when the world changed behind WritableWorld's back.
void ForgetSight();

// After a successful FillSight: whether the cell lies within one step
// (diagonals included) of a cell a line of sight enters. Cells outside the
// box never count.
bool CellSeen(int x, int y, int z);

// After a successful FillSight, for a seen cell's face whose plane has the
// eye on the cell's own side (a face seen from behind), across `axis`:
// whether it can win a pixel. A line of sight can show it only from inside
// the cell itself, or tie with it in depth along an edge where the face
// meets an open cell's. When no line enters the cell and the eight cells
// around it in the face's layer are all solid, every line to the face has
// crossed a cell or more of rock behind a drawn face first, and skipping it
// changes no pixel.
bool BackFaceMayShow(int x, int y, int z, int axis);

// Whether any part of the world box lo..hi (in cells, each reaching half a
// cell around its centre) can be inside the view: false only when the whole
// box lies beyond one plane by more than a margin far above rounding.
bool BoxMayShow(const ViewPlanes& view, const float lo[3], const float hi[3]);

// Cells the fills reached since the program started: what the fills cost.
extern long long sightFillCells;
