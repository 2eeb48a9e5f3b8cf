#pragma once

#include "play/solve_window.h"

namespace quarrin::test {

// A clock ticked by hand: ticks only while started, like the real one.
class ManualClock : public ClockTimer
{
public:
    void start() override { m_active = true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    void tick()
    {
        if (m_active)
            fire();
    }

private:
    bool m_active = false;
};

} // namespace quarrin::test
