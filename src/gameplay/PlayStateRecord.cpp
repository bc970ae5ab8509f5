#include "gameplay/PlayStateRecord.h"

#include "graphics/GraphicsSystem.h"

PlayStateRecord::PlayStateRecord() : cachedGraphics(GraphicsSystemNull::instance()) {}

PlayStateRecord& PlayState()
{
    static PlayStateRecord record;
    return record;
}
