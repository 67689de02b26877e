// Cube and blueprint-mark textures, made from the ImageTable for each
// OpenGL context.
#include "render/textures.h"

#include "render/bitmap.h"
#include "world/volume.h"

int glContextGeneration = 0;
GLuint CubeTextures[CubeTextureCount];

// Which ImageTable slot each cube texture is made from. Cell value 10 shares
// the picture of 9 on purpose; 7, 8 and 11..31 get names but no picture.
struct CubeSource {
    int texture;
    int slot;
};

constexpr CubeSource CubeSources[] = {
    {0, 1200}, {1, 1201}, {2, 1202}, {3, 1203}, {4, 1204},
    {5, 1205}, {6, 1206}, {9, 1209}, {10, 1209},
};

// A cube texture is uploaded as side x side RGB, so only a square picture can
// fill it without reading past its pixels. OpenGL 1.x textures need a power
// of two side, and with the default unpack alignment of 4 the rows of a
// 2-pixel side would be taken as padded to 8 bytes, again past the picture.
bool UploadableSquare(const ImageSlot& image) {
    uint32_t side = image.width;
    if (!image.pixels || side == 0 || image.height != side) return false;
    if ((side & (side - 1)) != 0) return false;
    return side != 2;
}

bool CreateCubeTextures() {
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glGenTextures(CubeTextureCount, CubeTextures);
    for (const CubeSource& source : CubeSources) {
        glBindTexture(GL_TEXTURE_2D, CubeTextures[source.texture]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        if (!ImageTable) continue;
        const ImageSlot& image = ImageTable[source.slot];
        if (!UploadableSquare(image)) continue;   // the texture stays without an image
        GLsizei side = static_cast<GLsizei>(image.width);
        glTexImage2D(GL_TEXTURE_2D, 0, 3, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels);
    }
    return true;
}

// Blueprint marks drawn with the dungeon picture that fits them.
struct MarkPicture {
    uint8_t mark;
    int slot;
};
constexpr MarkPicture MarkPictures[] = {
    {Rock, 111},     {Floor, 119},       {Door, 128},   {StairFoot, 137}, {StairHead, 136}, {Chest, 120},
    {Candelabrum, 122}, {Scroll, 167}, {Coffin, 124}, {Fountain, 134},  {Special, 118},
};
constexpr int MarkPictureCount = sizeof MarkPictures / sizeof MarkPictures[0];
static GLuint MarkTextures[MarkPictureCount];   // made per context from the pictures above
static int markContext = -1;                    // the context generation MarkTextures belong to

void PrepareMarkTextures() {
    if (markContext == glContextGeneration) return;
    markContext = glContextGeneration;
    glGenTextures(MarkPictureCount, MarkTextures);
    for (int i = 0; i < MarkPictureCount; ++i) {
        glBindTexture(GL_TEXTURE_2D, MarkTextures[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        const ImageSlot& slot = ImageTable[MarkPictures[i].slot];
        if (UploadableSquare(slot))
            glTexImage2D(GL_TEXTURE_2D, 0, 3, slot.width, slot.width, 0, GL_RGB, GL_UNSIGNED_BYTE, slot.pixels);
    }
}

GLuint TextureForCell(uint8_t value) {
    if (value < CubeTextureCount) return CubeTextures[value];
    for (int i = 0; i < MarkPictureCount; ++i)
        if (MarkPictures[i].mark == value) return MarkTextures[i];
    return MarkTextures[MarkPictureCount - 1];
}
