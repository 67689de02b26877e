// The ObjectTable after the catalogue build and the start objects, and CopyObject.
#include "data/catalogue.h"
#include "data/objects.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <tuple>
#include <vector>

namespace {

// Every test starts from a zeroed table of full size, as start-up makes it.
class ObjectTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ObjectTable = static_cast<ObjectRecord*>(std::calloc(objectCapacity, sizeof(ObjectRecord)));
        ASSERT_NE(ObjectTable, nullptr);
    }
    void TearDown() override {
        std::free(ObjectTable);
        ObjectTable = nullptr;
    }
};

bool IsAllZero(const ObjectRecord& r) {
    static const uint8_t zero[sizeof(ObjectRecord)] = {};
    return std::memcmp(&r, zero, sizeof r) == 0;
}

// True when every byte outside the meaningful fields (spares and padding) is zero.
bool OnlyFieldsSet(const ObjectRecord& r) {
    ObjectRecord c;
    std::memcpy(&c, &r, sizeof c);
    c.image = 0, c.typeId = 0, c.slotClass = 0, c.isWeapon = 0, c.rating = 0, c.grade = 0;
    c.ratingNow = 0, c.factor = 0, c.value = 0;
    std::memset(c.marks, 0, sizeof c.marks);
    return IsAllZero(c);
}


}  // namespace

TEST_F(ObjectTableTest, CatalogueFillsExactlyTheEntryIds) {
    std::memset(&ObjectTable[0], 0xAB, sizeof(ObjectRecord));   // record 0 is written, not assumed
    BuildObjectCatalogue();

    const uint32_t ranges[][2] = {{6110, 6129}, {6200, 6203}, {6316, 6320}, {7000, 7000}, {7100, 7100},
                                  {8100, 8113}, {8130, 8143}, {8170, 8183}, {8200, 8213}, {8220, 8233},
                                  {8250, 8263}, {8280, 8293}, {8320, 8333}};
    std::vector<uint32_t> ids;
    for (const auto& r : ranges)
        for (uint32_t id = r[0]; id <= r[1]; ++id) ids.push_back(id);
    ASSERT_EQ(ids.size(), 143u);

    std::vector<uint32_t> nonZero;   // 0 and the gaps (6130..6199, 8114..8129, ...) must be empty
    for (uint32_t id = 0; id < static_cast<uint32_t>(objectCapacity); ++id)
        if (!IsAllZero(ObjectTable[id])) nonZero.push_back(id);
    EXPECT_EQ(nonZero, ids);

    for (uint32_t id : ids) {
        EXPECT_EQ(ObjectTable[id].typeId, id);
        EXPECT_TRUE(OnlyFieldsSet(ObjectTable[id])) << id;
        EXPECT_EQ(ObjectTable[id].ratingNow, 0.0f) << id;
    }
}

TEST_F(ObjectTableTest, StartObjectsAreCopiesWithTheirRating) {
    BuildObjectCatalogue();
    PlaceStartObjects();

    ObjectRecord knife;   // byte copy, so that padding is compared too
    std::memcpy(&knife, &ObjectTable[6110], sizeof knife);
    knife.ratingNow = 1.0f;
    EXPECT_EQ(std::memcmp(&ObjectTable[10000], &knife, sizeof knife), 0);
    EXPECT_EQ(std::memcmp(&ObjectTable[9000], &knife, sizeof knife), 0);
    const struct { uint32_t id, typeId; float rating; } copies[] = {{9001, 6111, 2.0f}, {9002, 6200, 3.0f}, {9003, 6316, 2.0f}};
    for (const auto& c : copies) EXPECT_EQ(std::pair(ObjectTable[c.id].typeId, ObjectTable[c.id].ratingNow), std::pair(c.typeId, c.rating)) << c.id;
    EXPECT_EQ(ObjectTable[6110].ratingNow, 0.0f);   // the source keeps 0
    EXPECT_TRUE(IsAllZero(ObjectTable[10001]));
}

TEST_F(ObjectTableTest, CopyObjectEdgeCases) {
    BuildObjectCatalogue();

    CopyObject(20000, 7100);   // the potion's rating 200 is unsigned: 200.0, not -56.0
    EXPECT_EQ(ObjectTable[20000].ratingNow, 200.0f);
    EXPECT_EQ(ObjectTable[20000].typeId, 7100u);

    CopyObject(20000, 0);      // the empty record empties the destination
    EXPECT_TRUE(IsAllZero(ObjectTable[20000]));

    ObjectRecord axe;          // a copy onto itself changes only ratingNow
    std::memcpy(&axe, &ObjectTable[6320], sizeof axe);
    axe.ratingNow = 14.0f;
    ObjectTable[6320].ratingNow = 99.0f;
    CopyObject(6320, 6320);
    EXPECT_EQ(std::memcmp(&ObjectTable[6320], &axe, sizeof axe), 0);
}
