// The delayed-capture countdown driven by the main frame's 100 ms timer.
// n seconds fire at the 10*n-th tick with n beeps, the last beep at the
// moment of capture; 0 seconds fire at the first tick without a beep.
#pragma once

class Countdown {
public:
    // Longest countdown accepted; stored values outside 0..600 are clamped,
    // so a negative value can never block the triggers for good.
    static const int kMaxSeconds = 600;

    struct Tick {
        bool beep;  // sound the default beep
        bool fire;  // the countdown has ended: start the capture now
    };

    void Start(int seconds);
    // One timer tick; does nothing while no countdown runs.
    Tick OnTick();
    bool Active() const { return m_bActive; }

private:
    bool m_bActive = false;
    int m_nSeconds = 0;
    int m_nTicks = 0;  // ticks left in the current second, 9 .. 0
};
