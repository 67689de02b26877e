// The ObjectTable: one record per item type (the catalogue, low ids) and per
// item instance (copies of a catalogue entry, higher ids).
#pragma once

#include <cstddef>
#include <cstdint>

// One item. The spare fields are always zero; they are kept so that the
// record keeps its size and every field its place. An image of 0 marks an
// empty record.
struct ObjectRecord {
    uint8_t spare1;
    uint8_t spare2;
    uint16_t image;           // ImageTable slot of the item picture (600..746, 3000); 0 = empty
    uint32_t typeId;          // catalogue id of the type; an instance keeps its source's id
    uint8_t spare3;
    uint16_t spare4;
    uint16_t spare5;
    uint8_t spare6;
    uint8_t spare7;
    uint8_t marks[5];         // five flags, each 0 or 1
    uint8_t slotClass;        // 1 or 2 for weapons, 10 + body slot for armour, 0 otherwise
    uint8_t spare8;
    uint8_t isWeapon;         // 1 for weapons
    uint8_t rating;           // weapon rating 1..14, 200 for the potion, else 0
    uint8_t grade;            // 0..3
    float ratingNow;          // 0 in the catalogue; rating as a float in an instance
    uint8_t spare9to12[4];
    float factor;             // material factor of armour, of some weapons; else 0
    uint8_t spare13to18[6];
    uint8_t spare19to20[2];
    uint8_t spare21to25[5];
    uint16_t spare26;
    uint16_t value;           // price-like value, 30..60000
    uint16_t spare27to30[4];
};
static_assert(sizeof(ObjectRecord) == 68);
static_assert(offsetof(ObjectRecord, image) == 2 && offsetof(ObjectRecord, typeId) == 4);
static_assert(offsetof(ObjectRecord, marks) == 16 && offsetof(ObjectRecord, rating) == 24);
static_assert(offsetof(ObjectRecord, ratingNow) == 28 && offsetof(ObjectRecord, factor) == 36);
static_assert(offsetof(ObjectRecord, value) == 56);

constexpr int objectCapacity = 230000;   // records of the ObjectTable
extern ObjectRecord* ObjectTable;   // objectCapacity records indexed by object id; allocated zeroed and freed by start-up/teardown

// Copies record src onto record dst (whole record; dst == src allowed), then
// sets dst's ratingNow to its rating. Ids must be below objectCapacity.
void CopyObject(uint32_t dst, uint32_t src);

// Makes the five start instances (10000 and 9000..9003) from the catalogue;
// runs once after BuildObjectCatalogue.
void PlaceStartObjects();
