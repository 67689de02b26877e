// The ObjectTable and the two operations that make instances from it.
#include "data/objects.h"

#include <cstring>

ObjectRecord* ObjectTable = nullptr;

void CopyObject(uint32_t dst, uint32_t src) {
    // memmove because dst may be src; padding bytes travel too, so a copy of
    // an empty record is all-zero bytes again.
    std::memmove(&ObjectTable[dst], &ObjectTable[src], sizeof(ObjectRecord));
    ObjectTable[dst].ratingNow = static_cast<float>(ObjectTable[dst].rating);
}

namespace {

struct StartObject {
    uint32_t dst;
    uint32_t src;
};

// In creation order: the first holding of unit 0, then four loose instances.
constexpr StartObject StartObjects[] = {
    {10000, 6110},   // knife
    {9000, 6110},    // knife
    {9001, 6111},    // dagger
    {9002, 6200},    // maul
    {9003, 6316},    // hand axe
};

}  // namespace

void PlaceStartObjects() {
    for (const StartObject& s : StartObjects) CopyObject(s.dst, s.src);
}
