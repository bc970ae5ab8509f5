#pragma once
// Events sent through the Subject hub. The names are those of the event switch file,
// "WINFIRSTOCCURRANCE" spelled as the file spells it.

#include <cstdint>

enum EventId : int32_t
{
    EVENT_UNKNOWN = -1,
    EVENT_CREATE = 0,
    EVENT_WIN = 1,
    EVENT_WINFIRSTOCCURRANCE = 2,
    EVENT_RESETWIN = 3,
    EVENT_ENABLEPACKAGE = 4,
    EVENT_DISABLEPACKAGE = 5,
};
