#include "shell/Countdown.h"
#include "shell/Meter.h"

#include <gtest/gtest.h>

namespace {

struct CountdownRun {
    int fireTick = 0;  // 1-based tick at which the countdown fired
    int beeps = 0;
};

CountdownRun RunCountdown(int seconds)
{
    Countdown countdown;
    countdown.Start(seconds);
    CountdownRun run;
    for (int tick = 1; tick <= 7000 && countdown.Active(); ++tick) {
        Countdown::Tick t = countdown.OnTick();
        run.beeps += t.beep;
        if (t.fire) run.fireTick = tick;
    }
    return run;
}

}  // namespace

TEST(Countdown, FiresAtTheTenNthTickWithNBeeps)
{
    for (int n : {1, 3, 10}) {
        CountdownRun run = RunCountdown(n);
        EXPECT_EQ(run.fireTick, 10 * n) << n;
        EXPECT_EQ(run.beeps, n) << n;
    }
    CountdownRun zero = RunCountdown(0);
    EXPECT_EQ(zero.fireTick, 1);
    EXPECT_EQ(zero.beeps, 0);
    // Hostile values are clamped to 0..600 seconds instead of never firing.
    EXPECT_EQ(RunCountdown(-5).fireTick, 1);
    EXPECT_EQ(RunCountdown(100000).fireTick, 6000);

    Countdown idle;
    Countdown::Tick t = idle.OnTick();
    EXPECT_FALSE(t.beep || t.fire);
}

TEST(Meter, PercentAndRedrawOnlyOnChange)
{
    EXPECT_EQ(MeterPercent(0, 200), 0);
    EXPECT_EQ(MeterPercent(1, 200), 1);
    EXPECT_EQ(MeterPercent(199, 200), 100);
    EXPECT_EQ(MeterPercent(0, 1), 100);
    EXPECT_EQ(MeterPercent(500, 3), 100);
    EXPECT_EQ(MeterPercent(0, 0), -1);
    EXPECT_EQ(MeterPercent(0, -4), -1);
    EXPECT_EQ(MeterPercent(1999999999, 2000000001), 99);  // no overflow

    MeterTracker tracker;
    int draws = 0, fulls = 0;
    for (int i = 0; i < 200; ++i) {
        int p = MeterPercent(i, 200);
        if (tracker.Update(p)) {
            ++draws;
            fulls += p == 100;
        }
    }
    EXPECT_EQ(draws, 100);  // 1 .. 100, each once
    EXPECT_EQ(fulls, 1);
}

TEST(Meter, Layout)
{
    const RECT pane = {2, 3, 302, 23};  // inner 3..301 x 4..22
    MeterLayout l = LayoutMeter(pane, 50, 30, 14);
    EXPECT_EQ(l.done.left, 3);
    EXPECT_EQ(l.done.right, 3 + 298 / 2);
    EXPECT_EQ(l.remaining.left, l.done.right);
    EXPECT_EQ(l.remaining.right, 301);
    EXPECT_EQ(l.done.top, 4);
    EXPECT_EQ(l.done.bottom, 22);
    EXPECT_EQ(l.text.x, (301 - 30) / 2);
    EXPECT_EQ(l.text.y, 2);  // (18 - 14) / 2 = 2

    EXPECT_EQ(LayoutMeter(pane, 0, 30, 16).text.y, 1);
    EXPECT_EQ(LayoutMeter(pane, 0, 30, 40).text.y, 2);  // taller than the bar
    EXPECT_EQ(LayoutMeter(pane, 100, 30, 14).remaining.left, 301);
}
