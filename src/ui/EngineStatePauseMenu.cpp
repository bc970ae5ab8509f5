#include "ui/EngineStatePauseMenu.h"

EngineStatePauseMenu* EngineStatePauseMenu::instance()
{
    static EngineStatePauseMenu state;
    return &state;
}
