// The start-up lookup tables.
#include "data/tables.h"

#include "machine/memory.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <system_error>
#include <thread>

float CellCostTable[256];
float CellTableB[256];
float* SineTable = nullptr;
float* CosineTable = nullptr;

namespace {

struct TableValue {
    int index;
    float value;
};

// Costs that differ from the default 3.0. Indices 10..22 and 180..184 are
// also the land picture slots (plain, forest, ..., road, villages). Entries
// 0, 60, 68, 70, 71, 76..81, 83..91, 218 and 219 are meant to be 3.0 as well
// and simply keep the default.
constexpr float DefaultCellCost = 3.0f;
constexpr TableValue CellCosts[] = {
    {10, 30.0f},    // plain
    {11, 332.0f},   // forest
    {12, 18.0f},    // forest with fruit
    {13, 42.0f},    // grey forest
    {14, 16.0f},    // water
    {15, 50.0f},    // deep water
    {16, 28.0f},    // swamp
    {17, 30.0f},    // desert
    {18, 374.0f},   // hills
    {19, 548.0f},   // mountain
    {20, 208.0f},   // high mountain
    {21, 15.0f},    // leaf forest
    {22, 1.0f},     // road
    {61, 3000.0f},
    {82, 20.0f},
    {180, 180.0f}, {181, 180.0f}, {182, 180.0f}, {183, 180.0f}, {184, 180.0f},   // villages
};

// Entries of CellTableB other than 0.0.
constexpr TableValue CellValuesB[] = {
    {11, 200.0f},
    {12, 300.0f},
};

// Fills entries [begin, end) of both trig tables. The angle is formed exactly
// as the game always has: the counter as a float (exact below 2^24), times
// the factor, then divided by 1000, in double. sincos gives the same bits as
// separate sin and cos calls and costs about one of them.
void FillTrig(int begin, int end) {
    for (int i = begin; i < end; ++i) {
        const float a = static_cast<float>(i);
        const double x = static_cast<double>(a) * DegreesToRadians / 1000.0;
        double s, c;
        ::sincos(x, &s, &c);
        SineTable[i] = static_cast<float>(s);
        CosineTable[i] = static_cast<float>(c);
    }
}

}  // namespace

void BuildTuningTables() {
    std::fill(std::begin(CellCostTable), std::end(CellCostTable), DefaultCellCost);
    for (const TableValue& v : CellCosts) CellCostTable[v.index] = v.value;

    std::fill(std::begin(CellTableB), std::end(CellTableB), 0.0f);
    for (const TableValue& v : CellValuesB) CellTableB[v.index] = v.value;
}

void BuildTrigTables() {
    if (SineTable || CosineTable) return;

    // Assigned one at a time so that a failed second allocation still lets
    // the release find the first table.
    const size_t bytes = sizeof(float) * TrigTableSize;
    SineTable = static_cast<float*>(AllocOrQuit(bytes, false, "SineTable"));
    CosineTable = static_cast<float*>(AllocOrQuit(bytes, false, "CosineTable"));

    // 7.2 million sin/cos is most of the start-up time, so the range is split
    // over up to four threads; each entry depends only on its index, so the
    // split cannot change a single bit of the result.
    constexpr int MaxParts = 4;
    const int parts = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxParts);
    std::thread workers[MaxParts];
    for (int p = 1; p < parts; ++p) {
        const int begin = TrigPartStart(p, parts);
        const int end = TrigPartStart(p + 1, parts);
        try {
            workers[p] = std::thread(FillTrig, begin, end);
        } catch (const std::system_error&) {
            FillTrig(begin, end);   // no thread to be had: this part runs here instead
        }
    }
    FillTrig(0, TrigPartStart(1, parts));
    for (int p = 1; p < parts; ++p) {
        if (workers[p].joinable()) workers[p].join();
    }
}

void ReleaseTrigTables() {
    if (SineTable) {
        std::free(SineTable);
        SineTable = nullptr;
    }
    if (CosineTable) {
        std::free(CosineTable);
        CosineTable = nullptr;
    }
}
