// Creation and release of the pathfinder workspace. The game builds it at
// start-up and keeps it; nothing searches with it yet.
#include "data/pathfinder.h"

#include "machine/memory.h"

#include <cstdlib>

PathWorkspace* pathWorkspace = nullptr;

namespace {

struct Direction {
    int32_t dx;
    int32_t dy;
    float cost;
};

// Order 0: once around the compass from +y turning towards +x, each straight
// step followed by the diagonal between it and the next. The diagonal cost
// is the float nearest 1.4142, not the square root of two.
constexpr Direction DirectionOrder0[8] = {
    {0, 1, 1.0f},   {1, 1, 1.4142f},   {1, 0, 1.0f},   {1, -1, 1.4142f},
    {0, -1, 1.0f},  {-1, -1, 1.4142f}, {-1, 0, 1.0f},  {-1, 1, 1.4142f},
};

template <typename T>
T* AllocArray(size_t count, const char* what) {
    return static_cast<T*>(AllocOrQuit(count * sizeof(T), false, what));
}

}  // namespace

void CreatePathWorkspace(PathWorkspace* ws) {
    // Null every array first: if an allocation below fails, the release that
    // follows it must see only arrays that really exist.
    *ws = PathWorkspace{};

    constexpr size_t N = PathNodeCount;
    constexpr size_t U = PathUnitCount;
    ws->nodeX = AllocArray<uint16_t>(N, "path nodeX");
    ws->nodeY = AllocArray<uint16_t>(N, "path nodeY");
    ws->nodeParent = AllocArray<uint32_t>(N, "path nodeParent");
    ws->nodeFlag = AllocArray<uint8_t>(N, "path nodeFlag");
    ws->nodeCost = AllocArray<float>(N, "path nodeCost");
    ws->cellNode = AllocArray<uint32_t>(N, "path cellNode");
    ws->unitTableA = AllocArray<uint32_t>(U, "path unitTableA");
    ws->unitTableB = AllocArray<uint32_t>(U, "path unitTableB");
    ws->pathX = AllocArray<uint32_t>(U * PathPointsPerUnit, "path pathX");
    ws->pathY = AllocArray<uint32_t>(U * PathPointsPerUnit, "path pathY");
    ws->pathLength = AllocArray<uint32_t>(U, "path pathLength");
    ws->pathLast = AllocArray<int32_t>(U, "path pathLast");
    ws->pathWord = AllocArray<uint32_t>(U, "path pathWord");
    ws->windowGrid = AllocArray<uint8_t>(N, "path windowGrid");
    ws->pointRecords = AllocArray<PathPointRecord>(PathPointsPerUnit, "path pointRecords");
    ws->cellRecords = AllocArray<PathCellRecord>(N, "path cellRecords");

    for (size_t u = 0; u < U; ++u) {
        ws->pathLast[u] = PathNoLastPoint;
        ws->pathWord[u] = 0;
    }
    SetDirectionOrder(ws, 0);
    ws->searching = 0;
}

void SetDirectionOrder(PathWorkspace* ws, int first) {
    // Only order 0 is ever asked for, so only its table exists: any other
    // order gets the same table and merely records which one was asked for.
    for (int i = 0; i < 8; ++i) {
        ws->dirX[i] = DirectionOrder0[i].dx;
        ws->dirY[i] = DirectionOrder0[i].dy;
        ws->dirCost[i] = DirectionOrder0[i].cost;
    }
    ws->firstDirection = first;
}

void ReleasePathWorkspace() {
    PathWorkspace* ws = pathWorkspace;
    if (!ws) return;
    // free(nullptr) does nothing, so arrays never allocated are skipped.
    std::free(ws->nodeX);
    std::free(ws->nodeY);
    std::free(ws->nodeParent);
    std::free(ws->nodeFlag);
    std::free(ws->nodeCost);
    std::free(ws->cellNode);
    std::free(ws->unitTableA);
    std::free(ws->unitTableB);
    std::free(ws->pathX);
    std::free(ws->pathY);
    std::free(ws->pathLength);
    std::free(ws->pathLast);
    std::free(ws->pathWord);
    std::free(ws->windowGrid);
    std::free(ws->pointRecords);
    std::free(ws->cellRecords);
    std::free(ws);
    pathWorkspace = nullptr;
}
