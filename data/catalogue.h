// The item catalogue: the fixed item types, written into the ObjectTable at
// start-up under their own ids.
#pragma once

#include <cstdint>

// A weapon, the bag or the potion: one catalogue entry as written.
struct CatalogueRow {
    uint32_t id;
    uint16_t image;
    uint8_t marks[5];
    uint8_t slotClass;
    uint8_t isWeapon;
    uint8_t rating;
    uint8_t grade;
    float factor;
    uint16_t value;
};

// An armour material: entries baseId + s for the body slots s = 0..13, each
// with slotClass 10 + s, all marks set, and the material's image, factor and value.
struct ArmourMaterial {
    uint32_t baseId;
    uint16_t image;
    float factor;
    uint16_t value;
};

constexpr int BodySlotCount = 14;   // suit, headgear, cape, gorget, scaling, torso, greaves,
                                    // bracers, ring, gloves, shield, sleeves, circlet, boots

extern const CatalogueRow CatalogueRows[];      // weapons, bag, potion in id order; constant
extern const int CatalogueRowCount;             // 31
extern const ArmourMaterial ArmourMaterials[];  // the eight materials in id order; constant
extern const int ArmourMaterialCount;           // 8

// Writes the empty record 0, then every entry in id order. The table must
// have been allocated (zeroed) first; runs before PlaceStartObjects.
void BuildObjectCatalogue();
