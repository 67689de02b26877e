// The item catalogue as data, and the loop that writes it.
#include "data/catalogue.h"

#include "data/objects.h"

#include <cstring>

// id, image, marks, slotClass, isWeapon, rating, grade, factor, value
const CatalogueRow CatalogueRows[] = {
    // Blades.
    {6110, 600, {1, 0, 1, 1, 1}, 2, 1, 1, 0, 0.0f, 50},       // knife
    {6111, 601, {1, 1, 0, 0, 0}, 1, 1, 2, 0, 0.0f, 180},      // dagger
    {6112, 602, {1, 0, 0, 0, 1}, 1, 1, 3, 0, 0.0f, 300},      // short sword
    {6113, 603, {0, 1, 0, 0, 0}, 2, 1, 3, 1, 0.2f, 400},      // gauche
    {6114, 604, {1, 0, 0, 0, 0}, 1, 1, 4, 0, 0.0f, 430},      // long sword
    {6115, 605, {1, 0, 0, 0, 0}, 1, 1, 5, 0, 0.0f, 560},      // bastard sword
    {6116, 606, {1, 1, 0, 0, 1}, 2, 1, 5, 1, 0.0f, 700},      // kopesh
    {6117, 607, {0, 1, 0, 0, 0}, 1, 1, 6, 0, 1.0f, 1000},     // blade
    {6118, 608, {0, 1, 0, 0, 1}, 1, 1, 6, 1, 2.8f, 2000},     // blade, ameliorated
    {6119, 609, {0, 1, 0, 0, 1}, 1, 1, 7, 0, 0.0f, 3000},     // behead
    {6120, 610, {1, 0, 0, 0, 0}, 1, 1, 6, 1, 0.0f, 700},      // broad sword
    {6121, 611, {0, 1, 0, 0, 1}, 2, 1, 8, 0, 0.0f, 2300},     // horner
    {6122, 612, {1, 0, 0, 0, 0}, 1, 1, 8, 1, 0.0f, 980},      // glaive
    {6123, 613, {1, 0, 0, 0, 0}, 1, 1, 8, 2, 2.0f, 1300},     // saber
    {6124, 614, {1, 0, 0, 0, 1}, 1, 1, 8, 3, 4.0f, 2900},     // saber, ameliorated
    {6125, 615, {1, 0, 0, 0, 1}, 1, 1, 9, 0, 1.5f, 5000},     // whale blade
    {6126, 616, {1, 0, 0, 0, 1}, 1, 1, 9, 2, 3.3f, 10000},    // whale blade, ameliorated
    {6127, 617, {1, 0, 0, 0, 0}, 1, 1, 10, 0, 0.0f, 1200},    // two-handed sword
    {6128, 618, {1, 0, 0, 0, 1}, 1, 1, 11, 0, 0.0f, 6000},    // two-bladed sword
    {6129, 619, {1, 0, 0, 0, 1}, 1, 1, 12, 0, 3.2f, 28000},   // two-bladed sword, ameliorated
    // Blunt weapons.
    {6200, 630, {0, 1, 0, 0, 0}, 1, 1, 3, 0, 0.0f, 300},      // maul
    {6201, 631, {0, 1, 0, 0, 0}, 1, 1, 5, 1, 0.0f, 600},      // morningstar
    {6202, 632, {0, 1, 0, 0, 0}, 1, 1, 8, 0, 0.0f, 3000},     // mace
    {6203, 633, {0, 1, 0, 0, 0}, 1, 1, 8, 0, 0.0f, 3000},     // war mace
    // Axes. The two iron battle axes take pictures 655 and 654, crossed on purpose.
    {6316, 650, {0, 0, 0, 1, 0}, 2, 1, 2, 0, 0.0f, 180},      // hand axe
    {6317, 651, {0, 0, 0, 1, 0}, 1, 1, 3, 0, 0.0f, 380},      // axe
    {6318, 652, {0, 0, 0, 1, 0}, 1, 1, 8, 0, 0.0f, 4000},     // battle axe
    {6319, 655, {0, 0, 0, 1, 0}, 1, 1, 12, 0, 2.8f, 32000},   // iron rubioux battle axe
    {6320, 654, {0, 0, 0, 1, 0}, 1, 1, 14, 0, 4.0f, 60000},   // iron ordered battle axe
    // The bag and the potion.
    {7000, 3000, {0, 0, 0, 0, 0}, 0, 0, 0, 0, 0.0f, 30},      // bag
    {7100, 682, {0, 0, 0, 0, 0}, 0, 0, 200, 0, 0.0f, 50},     // blue potion
};
const int CatalogueRowCount = sizeof(CatalogueRows) / sizeof(CatalogueRows[0]);

// The factor steps by 0.1 up to full plate and then jumps to 0.9; the base
// ids are spaced irregularly. Both are the game's numbers, kept as they are.
const ArmourMaterial ArmourMaterials[] = {
    {8100, 730, 0.1f, 30},    // robe
    {8130, 740, 0.2f, 70},    // leather
    {8170, 741, 0.3f, 120},   // studded leather
    {8200, 742, 0.4f, 160},   // chain
    {8220, 743, 0.5f, 210},   // scale
    {8250, 744, 0.6f, 280},   // plate
    {8280, 745, 0.7f, 350},   // full plate
    {8320, 746, 0.9f, 600},   // magic
};
const int ArmourMaterialCount = sizeof(ArmourMaterials) / sizeof(ArmourMaterials[0]);

// Clears the record to all-zero bytes (spare fields and padding included)
// and gives it its own id as type.
static ObjectRecord& FreshEntry(uint32_t id) {
    ObjectRecord& r = ObjectTable[id];
    std::memset(&r, 0, sizeof r);
    r.typeId = id;
    return r;
}

void BuildObjectCatalogue() {
    std::memset(&ObjectTable[0], 0, sizeof(ObjectRecord));

    for (int i = 0; i < CatalogueRowCount; ++i) {
        const CatalogueRow& row = CatalogueRows[i];
        ObjectRecord& r = FreshEntry(row.id);
        r.image = row.image;
        std::memcpy(r.marks, row.marks, sizeof r.marks);
        r.slotClass = row.slotClass;
        r.isWeapon = row.isWeapon;
        r.rating = row.rating;
        r.grade = row.grade;
        r.factor = row.factor;
        r.value = row.value;
    }

    for (int m = 0; m < ArmourMaterialCount; ++m) {
        const ArmourMaterial& material = ArmourMaterials[m];
        for (int s = 0; s < BodySlotCount; ++s) {
            ObjectRecord& r = FreshEntry(material.baseId + s);
            r.image = material.image;
            std::memset(r.marks, 1, sizeof r.marks);
            r.slotClass = static_cast<uint8_t>(10 + s);
            r.factor = material.factor;
            r.value = material.value;
        }
    }
}
