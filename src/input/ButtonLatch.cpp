#include "input/ButtonLatch.h"

#include <cassert>
#include <cstddef>

ButtonLatch::ButtonLatch(int32_t count) : down(static_cast<size_t>(count), false) {}

// A release after a reading that saw the button down ends that press; after one that saw it
// up, the button went down and up in between: that tap is this update's press.
void ButtonLatch::take(int32_t button, bool downNow, bool releasedSince)
{
    assert(button >= 0 && button < size());
    if (button < 0 || button >= size())
        return;
    const size_t index = static_cast<size_t>(button);
    down[index] = downNow || (releasedSince && !down[index]);
}

bool ButtonLatch::isDown(int32_t button) const
{
    return button >= 0 && button < size() && down[static_cast<size_t>(button)];
}
