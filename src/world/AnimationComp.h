#pragma once
// Plays one named animation of a sprite sheet: keeps the sheet, the animation's name, its
// own frame index and when the next frame is due. Until a sheet is set it answers like the
// null component, so a component built without one never reads through a null pointer.

#include "world/Component.h"

#include <cstdint>
#include <glm/glm.hpp>

class AnimationSheet;

class AnimationComp : public Component
{
public:
    static inline const std::string kName{"AnimationComp"};

    void update() override;
    Component* clone() const override;
    std::string getName() const override { return kName; }

    virtual int32_t setFrame(int32_t index);
    virtual void setAnimation(const std::string& name);
    virtual glm::vec2 getFrameUV() const;
    virtual glm::vec2 getSheetDimensions() const;
    // A name the animation file lacks gives its "Default" sheet.
    virtual void setSheet(const std::string& sheetName);
    virtual void play(const std::string& name);
    virtual void resume() { playing = true; }
    virtual void pause() { playing = false; }
    virtual void restart();
    virtual int32_t getFrame() const { return frame; }
    virtual bool isFinished() const;
    virtual float getFrameDuration() const;
    virtual std::string getAnimationName() const { return animationName; }

    bool isPlaying() const { return playing; }
    AnimationSheet* getSheet() const { return sheet; }

private:
    AnimationSheet* sheet = nullptr;
    std::string animationName;
    int32_t frame = 0;
    bool playing = true;
    uint64_t nextFrameTime = 0;
};

class AnimationCompNull : public AnimationComp
{
public:
    static AnimationCompNull* instance();

    void update() override {}
    Component* clone() const override { return instance(); }
    std::string getName() const override { return "AnimationCompNull"; }
    bool isNull() const override { return true; }

    int32_t setFrame(int32_t) override { return 0; }
    void setAnimation(const std::string&) override {}
    glm::vec2 getFrameUV() const override { return glm::vec2(0.0f); }
    glm::vec2 getSheetDimensions() const override { return glm::vec2(1.0f); }
    void setSheet(const std::string&) override {}
    void play(const std::string&) override {}
    void resume() override {}
    void pause() override {}
    void restart() override {}
    int32_t getFrame() const override { return 0; }
    bool isFinished() const override { return true; }
    float getFrameDuration() const override { return 1.0f; }
    std::string getAnimationName() const override { return std::string(); }
};
