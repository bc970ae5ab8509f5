#include "graphics/AnimationSheet.h"

#include <limits>

AnimationSheet::AnimationSheet(float columns, float rows)
    : columns(columns), rows(rows), cellSize(1.0f / columns, 1.0f / rows)
{
}

bool AnimationSheet::addAnimation(const std::string& name, const AnimationInfo& info)
{
    return animations.emplace(name, info).second;
}

const AnimationInfo* AnimationSheet::find(const std::string& name) const
{
    const auto found = animations.find(name);
    return found == animations.end() ? nullptr : &found->second;
}

glm::vec2 AnimationSheet::getFrameUV(int32_t frame, const std::string& name) const
{
    const AnimationInfo* info = find(name);
    if (!info)
        return {0.0f, 0.0f};
    const int32_t wholeColumns = static_cast<int32_t>(columns);
    // Frames run left to right along the start row; a frame past the row's end continues on
    // the rows below while u keeps cycling through the columns.
    // Counted in 64-bit whole cells: a far start row must not overflow a float-to-int cast.
    const int64_t cellIndex = static_cast<int64_t>(info->startRow) * wholeColumns + frame % info->frameCount;
    const float u = static_cast<float>(cellIndex % wholeColumns) / columns;
    // In 64 bits: a file may give any start row, and the sum must not wrap.
    const int64_t row = static_cast<int64_t>(info->startRow) + frame / wholeColumns;
    const float v = (rows - static_cast<float>(row)) / rows;
    return {u, v};
}

glm::vec2 AnimationSheet::getSheetDimensions() const
{
    return cellSize;
}

int32_t AnimationSheet::nextFrame(int32_t frame, const std::string& name) const
{
    const AnimationInfo* info = find(name);
    if (!info)
        return 0;
    if (info->looping)
        return (frame + 1) % info->frameCount;
    return frame == info->frameCount - 1 ? frame : (frame % info->frameCount) + 1;
}

int32_t AnimationSheet::previousFrame(int32_t frame, const std::string& name) const
{
    const AnimationInfo* info = find(name);
    if (!info)
        return 0;
    if (info->looping)
        return frame - 1 >= 0 ? frame - 1 : info->frameCount - 1;
    return frame == 0 ? 0 : (frame % info->frameCount) - 1;
}

uint32_t AnimationSheet::getFrameDuration(const std::string& name) const
{
    const AnimationInfo* info = find(name);
    if (!info || !(info->frameTime > 0.0f))
        return 0;
    // A frame time past what the result can hold (a typo such as 1e30) waits as long as it can.
    constexpr float kLongest = static_cast<float>(std::numeric_limits<uint32_t>::max());
    return info->frameTime >= kLongest ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(info->frameTime);
}

int32_t AnimationSheet::wrapFrame(int32_t frame, const std::string& name) const
{
    const AnimationInfo* info = find(name);
    return info ? frame % info->frameCount : frame;
}

bool AnimationSheet::isFinished(int32_t frame, const std::string& name) const
{
    const AnimationInfo* info = find(name);
    return info && !info->looping && frame == info->frameCount - 1;
}
