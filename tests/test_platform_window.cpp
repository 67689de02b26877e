// The game window on the headless back end: opening and its failure
// messages, the fixed GL state, the window keys and the window events.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

#include "core/game.h"
#include "core/startup.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "platform/window.h"

namespace {

class PlatformWindow : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        SetOverlaySize(320, 240);
        windowScale = 2;
        quitRequested = 0;
        frameCounter = 0;
        leftPressed = rightPressed = 0;
        leftPressFrame = rightPressFrame = 0;
    }
    void TearDown() override {
        HeadlessReset();
        windowScale = 2;
        quitRequested = 0;
        frameCounter = 0;
        leftPressed = rightPressed = 0;
        leftPressFrame = rightPressFrame = 0;
    }
    static void Rect(int* left, int* top, int* right, int* bottom) {
        ASSERT_TRUE(PlatformWindowRect(left, top, right, bottom));
    }
    // One frame's window keys with exactly these keys held.
    static void WindowKeysWith(std::initializer_list<int> held) {
        for (int k : held) HeadlessSetKey(k, true);
        HandleWindowKeys();
        HeadlessReleaseAllKeys();
    }
};

TEST_F(PlatformWindow, OpensBorderless640x480AtTheOriginWithThePointerHidden) {
    ASSERT_EQ(OpenMainWindow(), 1);
    int l, t, r, b;
    Rect(&l, &t, &r, &b);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(t, 0);
    EXPECT_EQ(r, 640);
    EXPECT_EQ(b, 480);
    EXPECT_EQ(HeadlessWindowTitle(), "GAME");
    EXPECT_TRUE(HeadlessCursorHidden());
    EXPECT_TRUE(HeadlessMessages().empty());
}

TEST_F(PlatformWindow, EachFailedStepShowsItsMessageAndLeavesNoWindow) {
    const struct {
        WindowFailure failure;
        const char* text;
    } cases[] = {
        {WindowFailure::RegisterClass, "Failed To Register The Window Class."},
        {WindowFailure::CreateWindow, "Window Creation Error."},
        {WindowFailure::DeviceContext, "Can't Create A GL Device Context."},
        {WindowFailure::ChooseFormat, "Can't Find A Suitable PixelFormat."},
        {WindowFailure::SetFormat, "Can't Set The PixelFormat."},
        {WindowFailure::CreateContext, "Can't Create A GL Rendering Context."},
        {WindowFailure::MakeCurrent, "Can't Activate The GL Rendering Context."},
    };
    for (const auto& c : cases) {
        HeadlessReset();
        HeadlessFailNextOpen(c.failure);
        EXPECT_EQ(OpenMainWindow(), 0) << c.text;
        ASSERT_EQ(HeadlessMessages().size(), 1u) << c.text;
        EXPECT_EQ(HeadlessMessages()[0].caption, "ERROR");
        EXPECT_EQ(HeadlessMessages()[0].text, c.text);
        EXPECT_FALSE(HeadlessMessages()[0].information) << c.text;
        int w, h;
        EXPECT_FALSE(HeadlessWindowSize(&w, &h)) << c.text << ": what was made must be released";
        EXPECT_FALSE(HeadlessCursorHidden()) << c.text;
    }
    // The injected failure is used up: the next try opens normally.
    HeadlessReset();
    HeadlessFailNextOpen(WindowFailure::CreateContext);
    EXPECT_EQ(OpenMainWindow(), 0);
    EXPECT_EQ(OpenMainWindow(), 1);
    EXPECT_EQ(HeadlessMessages().size(), 1u);
}

// What the renderer relies on in every new context, the first and each re-created one.
static void ExpectFixedState() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 240);

    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 1.0f);
    EXPECT_FLOAT_EQ(clear[1], 0.0f);
    EXPECT_FLOAT_EQ(clear[2], 0.9f);
    EXPECT_FLOAT_EQ(clear[3], 0.0f);

    GLint value;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(value, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 0.5f);

    // gluPerspective(45, 4/3, 0.1, 100): x scale cot(22.5 deg) / aspect, y scale cot(22.5 deg).
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    double cot = 1.0 / std::tan(45.0 / 2.0 * M_PI / 180.0);
    EXPECT_NEAR(projection[0], cot / static_cast<double>(4.0f / 3.0f), 1e-5);
    EXPECT_NEAR(projection[5], cot, 1e-5);
    EXPECT_FLOAT_EQ(projection[11], -1.0f);
}

TEST_F(PlatformWindow, EveryNewContextGetsTheFixedState) {
    ASSERT_EQ(OpenMainWindow(), 1);
    ExpectFixedState();
    WindowKeysWith({Key::F3});
    ExpectFixedState();
}

TEST_F(PlatformWindow, FKeysRecreateTheWindowAtTheirScale) {
    ASSERT_EQ(OpenMainWindow(), 1);
    ASSERT_EQ(HeadlessOpenCount(), 1);
    int w, h;

    WindowKeysWith({});
    EXPECT_EQ(HeadlessOpenCount(), 1) << "no key, no re-creation";

    WindowKeysWith({Key::F3});
    ASSERT_TRUE(HeadlessWindowSize(&w, &h));
    EXPECT_EQ(w, 960);
    EXPECT_EQ(h, 720);
    EXPECT_EQ(windowScale, 3);
    EXPECT_EQ(HeadlessWindowTitle(), "GAME");
    EXPECT_EQ(HeadlessOpenCount(), 2);

    WindowKeysWith({Key::F1});
    ASSERT_TRUE(HeadlessWindowSize(&w, &h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(windowScale, 1);

    // Every held F key acts, in order; the last one sets the scale.
    WindowKeysWith({Key::F4, Key::F2});
    ASSERT_TRUE(HeadlessWindowSize(&w, &h));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 960);
    EXPECT_EQ(windowScale, 4);
    EXPECT_EQ(HeadlessOpenCount(), 5);
    EXPECT_TRUE(HeadlessMessages().empty());
}

TEST_F(PlatformWindow, AFailedRecreationIsReportedAndTheGameGoesOn) {
    ASSERT_EQ(OpenMainWindow(), 1);
    HeadlessFailNextOpen(WindowFailure::CreateContext);
    WindowKeysWith({Key::F3});
    int w, h;
    EXPECT_FALSE(HeadlessWindowSize(&w, &h));
    EXPECT_EQ(windowScale, 3);
    ASSERT_EQ(HeadlessMessages().size(), 1u);
    EXPECT_EQ(HeadlessMessages()[0].text, "Can't Create A GL Rendering Context.");
    // A later F key opens a window again.
    WindowKeysWith({Key::F2});
    ASSERT_TRUE(HeadlessWindowSize(&w, &h));
    EXPECT_EQ(w, 640);
}

TEST_F(PlatformWindow, MMovesTheWindowToThePointerKeepingItsSize) {
    ASSERT_EQ(OpenMainWindow(), 1);
    HeadlessSetPointer(200, 150);
    WindowKeysWith({Key::M});
    int l, t, r, b;
    Rect(&l, &t, &r, &b);
    EXPECT_EQ(l, 200);
    EXPECT_EQ(t, 150);
    EXPECT_EQ(r - l, 640);
    EXPECT_EQ(b - t, 480);
    EXPECT_EQ(HeadlessOpenCount(), 1) << "moving does not re-create";
}

TEST_F(PlatformWindow, ButtonPressesAreAcceptedAtMostOnceIn13Frames) {
    // Frames 0..12: nothing is accepted, the first accepted press comes at 13.
    for (frameCounter = 0; frameCounter <= 12; ++frameCounter) {
        HandleWindowEvent(WindowEvent::LeftButton);
        ASSERT_EQ(leftPressed, 0) << "frame " << frameCounter;
    }
    HandleWindowEvent(WindowEvent::LeftButton);
    EXPECT_EQ(leftPressed, 1);
    EXPECT_EQ(leftPressFrame, 13);
    EXPECT_EQ(rightPressed, 0) << "buttons are independent";

    // The right button has its own count and is still free at 13.
    HandleWindowEvent(WindowEvent::RightButton);
    EXPECT_EQ(rightPressed, 1);
    EXPECT_EQ(rightPressFrame, 13);

    // The frame consumes the presses; the next 12 frames refuse new ones.
    leftPressed = rightPressed = 0;
    for (frameCounter = 13; frameCounter <= 25; ++frameCounter) {
        HandleWindowEvent(WindowEvent::LeftButton);
        ASSERT_EQ(leftPressed, 0) << "frame " << frameCounter;
        ASSERT_EQ(leftPressFrame, 13);
    }
    HandleWindowEvent(WindowEvent::LeftButton);
    EXPECT_EQ(leftPressed, 1);
    EXPECT_EQ(leftPressFrame, 26);
}

TEST_F(PlatformWindow, DebounceDoesNotOverflowNearTheTopOfTheCounter) {
    // A loaded game can restore any frame counter.
    leftPressFrame = 2147483640;
    frameCounter = 2147483645;
    HandleWindowEvent(WindowEvent::LeftButton);
    EXPECT_EQ(leftPressed, 0);
}

TEST_F(PlatformWindow, CloseRequestSetsQuitAndKeepsTheWindow) {
    ASSERT_EQ(OpenMainWindow(), 1);
    HandleWindowEvent(WindowEvent::Other);
    EXPECT_EQ(quitRequested, 0);
    HandleWindowEvent(WindowEvent::Close);
    EXPECT_EQ(quitRequested, 1);
    int w, h;
    EXPECT_TRUE(HeadlessWindowSize(&w, &h));
}

TEST_F(PlatformWindow, PumpTakesExactlyOneEventPerCall) {
    frameCounter = 100;
    HeadlessQueueEvent(WindowEvent::Other);
    HeadlessQueueEvent(WindowEvent::LeftButton);
    HeadlessQueueEvent(WindowEvent::Close);

    EXPECT_EQ(PumpOneMessage(), 1);
    EXPECT_EQ(HeadlessQueuedEvents(), 2);
    EXPECT_EQ(leftPressed, 0);

    EXPECT_EQ(PumpOneMessage(), 1);
    EXPECT_EQ(HeadlessQueuedEvents(), 1);
    EXPECT_EQ(leftPressed, 1);
    EXPECT_EQ(quitRequested, 0);

    EXPECT_EQ(PumpOneMessage(), 1);
    EXPECT_EQ(quitRequested, 1);

    EXPECT_EQ(PumpOneMessage(), 0);
    EXPECT_EQ(PumpOneMessage(), 0);
}

}  // namespace
