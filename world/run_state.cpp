#include "world/run_state.h"

UnitRecord* UnitTable = nullptr;
int SX = 0, SY = 0, SZ = 0;
float Yaw = 0.0f;
float Pitch = 0.0f;
int cycleStep = 2;
int MVD = 6;
int WalkOn = 0;
int MouseLookOn = 0;

int quitRequested = 0;
int frameCounter = 0;
int objectivesTotal = 0;
int objectivesFound = 0;
int leftPressed = 0, rightPressed = 0;
int leftPressFrame = 0, rightPressFrame = 0;

void ResetRunState() {
    SX = SY = SZ = 0;
    Yaw = Pitch = 0.0f;
    cycleStep = 2;
    MVD = 6;
    WalkOn = MouseLookOn = 0;
    quitRequested = frameCounter = 0;
    objectivesTotal = objectivesFound = 0;
    leftPressed = rightPressed = 0;
    leftPressFrame = rightPressFrame = 0;
    if (UnitTable) {
        for (float& offset : Player().cellOffset) offset = 0.5f;
        Player().stepCount = 0;
    }
}
