#include "gameplay/EngineStateKestrin.h"

EngineStateKestrin* EngineStateKestrin::instance()
{
    static EngineStateKestrin state;
    return &state;
}
