// The frame timer's lag count and pacing, and the frame itself.
#include "WindowFixture.h"
#include "scene/MickySprite.h"
#include "scene/RoomSprite.h"
#include "support/WaitUntil.h"
#include "ui/FrameTimer.h"
#include "ui/SceneView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdint>

namespace {

struct TimerProbe
{
    TimerProbe()
    {
        timer.SetClock([this] { return now; });
        timer.OnTimer = [this](int lag) { lags.push_back(lag); };
        timer.ApplicationStateChanged(Qt::ApplicationActive);
    }
    std::uint32_t now = 1000;
    std::vector<int> lags;
    TFrameTimer timer;
};

} // namespace

TEST(FrameTimer, CountsMillisecondsSinceTheLastFrameAtLeastOne)
{
    TimerProbe p;
    p.timer.SetEnabled(true);
    p.now += 16;
    p.timer.Tick();
    p.timer.Tick(); // same millisecond
    p.now = 0xfffffff0u;
    p.timer.Tick();
    p.now = 0x10u; // the clock wraps
    p.timer.Tick();
    EXPECT_EQ(p.lags, (std::vector<int>{16, 1, static_cast<int>(0xfffffff0u - 1016), 32}));
}

TEST(FrameTimer, RunsOnlyWhileEnabledAndActiveAndCountsFromTheReactivation)
{
    TimerProbe p;
    EXPECT_FALSE(p.timer.Running());
    p.timer.SetEnabled(true);
    EXPECT_TRUE(p.timer.Running());
    p.timer.ApplicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(p.timer.Running());
    p.timer.Tick();
    EXPECT_TRUE(p.lags.empty()) << "no frame while inactive";
    p.now += 60000; // a minute elsewhere
    p.timer.ApplicationStateChanged(Qt::ApplicationActive);
    p.now += 5;
    p.timer.Tick();
    EXPECT_EQ(p.lags, std::vector<int>{5});
    p.timer.SetEnabled(false);
    EXPECT_FALSE(p.timer.Running());
}

TEST(FrameTimer, StopsWhileTheViewIsOffTheScreenAndCountsFromItsReturn)
{
    TimerProbe p;
    p.timer.SetEnabled(true);
    p.timer.SetViewShown(false);
    EXPECT_FALSE(p.timer.Running());
    p.timer.Tick();
    EXPECT_TRUE(p.lags.empty()) << "no frame while minimised";
    p.now += 30000;
    p.timer.SetViewShown(true);
    EXPECT_TRUE(p.timer.Running());
    p.now += 7;
    p.timer.Tick();
    EXPECT_EQ(p.lags, std::vector<int>{7});
    EXPECT_EQ(p.timer.Frames(), 1);
}

TEST(FrameTimer, PacesFramesToTheDisplayRefreshWithoutSpinning)
{
    TFrameTimer timer;
    int frames = 0;
    timer.OnTimer = [&](int) { ++frames; };
    timer.ApplicationStateChanged(Qt::ApplicationActive);
    timer.SetEnabled(true);
    EXPECT_NEAR(timer.FramePeriodUs(), 16667, 700);
    // Ten frames come at all, and no sooner than nine display periods allow
    // (one spare for the timer's rounding); a busy loop would give them at once.
    constexpr int kFrames = 10;
    constexpr qint64 kPeriodsAtLeastUs = (kFrames - 2) * 16667;
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(
        WaitUntil([&] { return frames >= kFrames; }, std::chrono::seconds(5),
                  [] { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50); }))
        << "only " << frames << " frames";
    EXPECT_GE(clock.nsecsElapsed() / 1000, kPeriodsAtLeastUs) << frames << " frames";
}

TEST_F(WindowTest, AFrameWithoutAReadySurfaceMovesAndDrawsNothing)
{
    AddHotel("Frames");
    LoadWithMoney();
    BuyFloor();
    ChooseTool(1);
    Click(Qt::LeftButton, 45, 490);
    driver->HourlyRules().SetRoomStatus(data->RoomID, 1);
    auto *room = dynamic_cast<TRoomSprite *>(SpritesWithID(data->RoomID).front());
    const double start = room->Micky->FramePos;
    driver->Frame(200); // one frame every 200 ms is a move of one animation frame
    EXPECT_NE(room->Micky->FramePos, start);
    EXPECT_NE(driver->SceneView().Surface().Pixel(100, 490), 0u) << "the floor is drawn";

    const double moved = room->Micky->FramePos;
    driver->SceneView().Finalize();
    EXPECT_FALSE(driver->FrameTimer().Enabled());
    driver->Frame(200);
    EXPECT_EQ(room->Micky->FramePos, moved);
}

TEST_F(WindowTest, APictureEqualToTheOneOnScreenIsNotPresentedAgain)
{
    AddHotel("Still");
    LoadWithMoney();
    BuyFloor();
    driver->Frame(16);
    const int presented = driver->SceneView().PresentedFrames();
    driver->Frame(16);
    driver->Frame(16);
    EXPECT_EQ(driver->SceneView().PresentedFrames(), presented) << "nothing moved or changed";
    BuyFloor();
    driver->Frame(16);
    EXPECT_EQ(driver->SceneView().PresentedFrames(), presented + 1) << "a second floor";
    EXPECT_NE(driver->SceneView().Surface().Pixel(100, 420), 0u) << "the second floor is drawn";
}

TEST_F(WindowTest, NoFramesWhileTheWindowIsMinimisedOrHidden)
{
    AddHotel("Away");
    LoadWithMoney();
    TFrameTimer &timer = driver->FrameTimer();
    timer.ApplicationStateChanged(Qt::ApplicationActive);
    auto waitFor = [&](bool running) {
        return WaitUntil([&] { return timer.Running() == running; }, std::chrono::seconds(5),
                         [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); });
    };
    EXPECT_TRUE(waitFor(true)) << "shown";
    window->showMinimized();
    EXPECT_TRUE(waitFor(false)) << "minimised";
    window->showNormal();
    EXPECT_TRUE(waitFor(true)) << "restored";
    window->hide();
    EXPECT_TRUE(waitFor(false)) << "hidden";
    window->show();
    EXPECT_TRUE(waitFor(true)) << "shown again";
}

TEST_F(WindowTest, TheWindowDrawsThroughTheSceneWiringThatTheToolsShare)
{
    // The window's components are the parts of its one scene, on the control's surface.
    EXPECT_EQ(&driver->Scene().Surface(), &driver->SceneView().Surface());
    EXPECT_EQ(driver->Arena(), &driver->Scene().Arena);
    EXPECT_EQ(driver->Arena()->BaseLine(), 535 - 70);

    // A frame of the window is the frame of a scene of the same floors drawn without it.
    AddHotel("Wiring");
    LoadWithMoney();
    BuyFloor();
    BuyFloor();
    driver->Frame(16);
    THotelScene alone(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight);
    alone.Arena.AddFloor(1, 0, -1, -1, -1, TComfortItems("0000", ""));
    alone.Arena.AddFloor(2, 1, -1, -1, -1, TComfortItems("0000", ""));
    alone.Frame(16);
    EXPECT_TRUE(driver->SceneView().Surface().Image() == alone.Surface().Image());
}
