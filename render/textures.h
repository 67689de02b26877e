// The textures the 3D view is drawn with, all belonging to the current
// OpenGL context: the 32 cube textures by cell value, made with the context,
// and the blueprint-mark textures, made on first use in each context.
#pragma once

#include <cstdint>

#include <GL/gl.h>

struct ImageSlot;

extern int glContextGeneration;   // counts the OpenGL contexts made so far; bumped by the window module with each new one; per-context state is rebuilt when it changes

constexpr int CubeTextureCount = 32;
extern GLuint CubeTextures[CubeTextureCount];   // entry n is the texture of cell value n; made per context by CreateCubeTextures

// Whether a picture can be uploaded as a square texture without reading past
// its pixels: square, a power-of-two side, pixels present (and not 2 wide,
// whose rows the default unpack alignment would take as 8 bytes).
bool UploadableSquare(const ImageSlot& image);

// Makes the 32 cube textures from the cube slots of the ImageTable; always true.
bool CreateCubeTextures();

// Makes the blueprint-mark textures from their dungeon pictures, once per context.
void PrepareMarkTextures();

// The texture a cell value is drawn with: CubeTextures for 0..31, a dungeon
// picture for the blueprint marks, never past the tables.
GLuint TextureForCell(uint8_t value);
