#include "tools/EngineStateTobrin.h"

EngineStateTobrin* EngineStateTobrin::instance()
{
    static EngineStateTobrin state;
    return &state;
}
