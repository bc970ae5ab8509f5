#include "tools/EngineStateQuenby.h"

EngineStateQuenby* EngineStateQuenby::instance()
{
    static EngineStateQuenby state;
    return &state;
}
