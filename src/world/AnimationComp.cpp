#include "world/AnimationComp.h"

#include "engine/Engine.h"
#include "engine/TimeHelpers.h"
#include "graphics/AnimationManager.h"
#include "graphics/AnimationSheet.h"

namespace
{
uint64_t NowMs()
{
    return static_cast<uint64_t>(GetTimeMs());
}
}

Component* AnimationComp::clone() const
{
    auto* copy = new AnimationComp();
    copy->sheet = sheet;
    copy->animationName = animationName;
    copy->playing = playing;
    copy->nextFrameTime = nextFrameTime;
    return copy;
}

void AnimationComp::setSheet(const std::string& sheetName)
{
    static const std::string managerName = AnimationManager::kName;
    sheet = Engine::getSystem<AnimationManager>(managerName, AnimationManagerNull::instance())
                ->getAnimationSheet(sheetName);
}

// The frame advances at most once per update and re-bases on the moment of the advance, so a
// frame lasts at least its duration; times are compared as floats, as the frame rate needs.
void AnimationComp::update()
{
    if (!playing || !sheet)
        return;
    const uint64_t now = NowMs();
    while (static_cast<float>(now) > static_cast<float>(nextFrameTime))
    {
        nextFrameTime = static_cast<uint64_t>(static_cast<float>(now) +
                                              static_cast<float>(sheet->getFrameDuration(animationName)));
        frame = sheet->nextFrame(frame, animationName);
    }
}

int32_t AnimationComp::setFrame(int32_t index)
{
    if (!sheet)
        return AnimationCompNull::instance()->setFrame(index);
    frame = sheet->wrapFrame(index, animationName);
    return frame;
}

void AnimationComp::setAnimation(const std::string& name)
{
    if (name == animationName)
        return;
    animationName = name;
    if (sheet)
        nextFrameTime = NowMs() + sheet->getFrameDuration(name);
}

void AnimationComp::play(const std::string& name)
{
    playing = true;
    setAnimation(name);
}

void AnimationComp::restart()
{
    playing = true;
    frame = 0;
}

glm::vec2 AnimationComp::getFrameUV() const
{
    return sheet ? sheet->getFrameUV(frame, animationName) : AnimationCompNull::instance()->getFrameUV();
}

glm::vec2 AnimationComp::getSheetDimensions() const
{
    return sheet ? sheet->getSheetDimensions() : AnimationCompNull::instance()->getSheetDimensions();
}

bool AnimationComp::isFinished() const
{
    return sheet ? sheet->isFinished(frame, animationName) : AnimationCompNull::instance()->isFinished();
}

float AnimationComp::getFrameDuration() const
{
    return sheet ? static_cast<float>(sheet->getFrameDuration(animationName))
                 : AnimationCompNull::instance()->getFrameDuration();
}

AnimationCompNull* AnimationCompNull::instance()
{
    static AnimationCompNull null;
    return &null;
}
