#include "tools/EngineStateMorvel.h"

EngineStateMorvel* EngineStateMorvel::instance()
{
    static EngineStateMorvel state;
    return &state;
}
