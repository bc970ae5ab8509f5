#pragma once
// One input update's reading of a row of buttons: the keyboard's keys or the mouse's buttons.
// Reading a button's state once per update misses a tap that went down and came up between
// two updates (a quick finger, a key sent by a tool, any tap during a slow frame). The window
// remembers such a release until it is read; a button let go since the last reading that was
// not down then reads as down in this update and as up in the next, so the tap presses,
// holds and releases like any other. Every binding of a button sees the same reading within
// one update.

#include <cstdint>
#include <vector>

class ButtonLatch
{
public:
    explicit ButtonLatch(int32_t count);

    // This update's reading of one button: whether it is down now, and whether it was let go
    // since the previous reading.
    void take(int32_t button, bool downNow, bool releasedSince);
    // False for a button outside the row.
    bool isDown(int32_t button) const;
    int32_t size() const { return static_cast<int32_t>(down.size()); }

private:
    std::vector<bool> down;
};
