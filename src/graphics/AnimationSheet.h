#pragma once
// A grid-shaped sprite sheet with named animations. Each animation is a run of consecutive
// cells starting at a row counted from the top of the image. The sheet answers the frame
// arithmetic (texture-coordinate offset, next/previous frame, duration, end of a one-shot)
// and holds no playback state: players keep their own frame index.

#include <glm/vec2.hpp>

#include <cstdint>
#include <map>
#include <string>

struct AnimationInfo
{
    int32_t frameCount = 1;
    int32_t startRow = 1;
    float frameTime = 1.0f; // milliseconds each frame is shown
    bool looping = false;
};

class AnimationSheet
{
public:
    // Callers guarantee columns and rows of at least 1 (the loader rejects other sheets).
    AnimationSheet(float columns, float rows);
    virtual ~AnimationSheet() = default;

    // Lower-left corner of the frame's cell in texture coordinates; (0, 0) for an unknown name.
    virtual glm::vec2 getFrameUV(int32_t frame, const std::string& name) const;
    // The size of one cell: (1 / columns, 1 / rows).
    virtual glm::vec2 getSheetDimensions() const;
    virtual int32_t nextFrame(int32_t frame, const std::string& name) const;
    virtual int32_t previousFrame(int32_t frame, const std::string& name) const;
    virtual uint32_t getFrameDuration(const std::string& name) const;
    virtual int32_t wrapFrame(int32_t frame, const std::string& name) const;
    virtual bool isFinished(int32_t frame, const std::string& name) const;

    // The first animation of a name wins. Callers guarantee a frame count of at least 1.
    bool addAnimation(const std::string& name, const AnimationInfo& info);
    bool hasAnimation(const std::string& name) const { return animations.count(name) != 0; }
    const std::map<std::string, AnimationInfo>& getAnimations() const { return animations; }
    float getColumns() const { return columns; }
    float getRows() const { return rows; }

private:
    const AnimationInfo* find(const std::string& name) const;

    std::map<std::string, AnimationInfo> animations;
    float columns;
    float rows;
    glm::vec2 cellSize;
};
