#include "ui/EngineStateEnd.h"

EngineStateEnd* EngineStateEnd::instance()
{
    static EngineStateEnd state;
    return &state;
}
