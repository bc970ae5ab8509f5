#include "ui/EngineStateSplash.h"

EngineStateSplash* EngineStateSplash::instance()
{
    static EngineStateSplash state;
    return &state;
}
