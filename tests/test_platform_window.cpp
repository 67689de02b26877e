// The game window on the headless back end: opening and its failure
// messages, the fixed GL state, the window keys and the window events.
#include <array>
#include <tuple>

#include "core/game.h"
#include "platform/input.h"
#include "test_util.h"

namespace {

class PlatformWindow : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ResetRunVariables();
    }
    void TearDown() override {
        ResetRunVariables();
        HeadlessTest::TearDown();
    }
    static void ResetRunVariables() {
        quitRequested = frameCounter = 0;
        leftPressed = rightPressed = leftPressFrame = rightPressFrame = 0;
    }
    static std::array<int, 4> Rect() {
        std::array<int, 4> r{};
        EXPECT_TRUE(PlatformWindowRect(&r[0], &r[1], &r[2], &r[3]));
        return r;
    }
    // The one message box shown: its caption, text and whether it is for information.
    static void ExpectOneMessage(const char* caption, const char* text, bool information) {
        ASSERT_EQ(HeadlessMessages().size(), 1u);
        const HeadlessMessage& m = HeadlessMessages()[0];
        EXPECT_EQ(std::tuple(m.caption, m.text, m.information), std::tuple(caption, text, information));
    }
};

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
        SCOPED_TRACE(c.text);
        HeadlessReset();
        HeadlessFailNextOpen(c.failure);
        EXPECT_EQ(OpenMainWindow(), 0);
        ExpectOneMessage("ERROR", c.text, false);
        EXPECT_EQ(WindowSize(), (std::pair{0, 0})) << "what was made must be released";
        EXPECT_FALSE(HeadlessCursorHidden());
        // The injected failure is used up: the next try opens normally.
        EXPECT_EQ(OpenMainWindow(), 1);
        EXPECT_EQ(HeadlessMessages().size(), 1u);
    }
}

TEST_F(PlatformWindow, OpensAtTheOriginAndItsKeysMoveOrRecreateItThroughFailedReleasesButNotFailedOpens) {
    ASSERT_EQ(OpenMainWindow(), 1);
    EXPECT_EQ(Rect(), (std::array<int, 4>{0, 0, 640, 480}));
    EXPECT_EQ(HeadlessWindowTitle(), "GAME");
    EXPECT_TRUE(HeadlessCursorHidden() && HeadlessMessages().empty());
    HeadlessSetPointer(200, 150);
    WindowKeysWith({Key::M});
    EXPECT_EQ(Rect(), (std::array<int, 4>{200, 150, 840, 630}));
    EXPECT_EQ(HeadlessOpenCount(), 1) << "moving does not re-create";
    // Every held F key acts, in order; the last one sets the scale.
    const struct {
        std::initializer_list<int> keys;
        int scale, opens;
    } steps[] = {{{Key::F3}, 3, 2}, {{Key::F1}, 1, 3}, {{Key::F4, Key::F2}, 4, 5}};
    for (const auto& step : steps) {
        WindowKeysWith(step.keys);
        EXPECT_EQ(windowScale, step.scale);
        EXPECT_EQ(WindowSize(), (std::pair{320 * step.scale, 240 * step.scale}));
        EXPECT_EQ(HeadlessOpenCount(), step.opens);
    }
    EXPECT_EQ(HeadlessWindowTitle(), "GAME");
    EXPECT_EQ(HeadlessMessages().size() + windowLost + quitRequested, 0u);

    // A failed release is reported, and the new window is still made.
    HeadlessFailNextClose();
    WindowKeysWith({Key::F3});
    ExpectOneMessage("SHUTDOWN ERROR", "Release Of DC And RC Failed.", true);
    EXPECT_EQ(std::tuple(WindowSize(), HeadlessOpenCount(), windowLost), std::tuple(std::pair{960, 720}, 6, 0));

    // A failed re-creation is reported, and since a game without a window can
    // take no key, it ends: no further window key is handled in that frame.
    HeadlessMessages().clear();
    HeadlessFailNextOpen(WindowFailure::CreateContext);
    WindowKeysWith({Key::F3, Key::F4});
    EXPECT_EQ(WindowSize(), (std::pair{0, 0}));
    EXPECT_EQ(windowScale, 3);
    EXPECT_EQ(HeadlessOpenCount(), 6) << "F4 was not tried after F3 failed";
    ExpectOneMessage("ERROR", "Can't Create A GL Rendering Context.", false);
    EXPECT_EQ(windowLost + quitRequested, 2);
}

}  // namespace
