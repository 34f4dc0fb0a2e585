#include "Countdown.h"

void Countdown::Start(int seconds)
{
    m_nSeconds = seconds < 0 ? 0 : seconds > kMaxSeconds ? kMaxSeconds : seconds;
    m_nTicks = 9;
    m_bActive = true;
}

Countdown::Tick Countdown::OnTick()
{
    Tick tick = {false, false};
    if (!m_bActive) return tick;
    if (m_nTicks == 0) {
        --m_nSeconds;
        m_nTicks = 9;
        tick.beep = true;
    } else {
        --m_nTicks;
    }
    if (m_nSeconds <= 0) {
        m_bActive = false;
        tick.fire = true;
    }
    return tick;
}
