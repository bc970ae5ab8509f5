#pragma once
// Owns the sprite-sheet animations of "assets/Animations/Animations.json" and hands them out
// by sheet name, with the sheet "Default" as the fallback for names it does not hold.
// AnimationComp asks it for its sheet by name on each change of animation; the sheets hold
// only frame arithmetic, so many entities can share one.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"
#include "graphics/AnimationSheet.h"

#include <map>
#include <string>
#include <vector>

class AnimationManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "AnimationManager";
    static constexpr const char* kSheetFile = "assets/Animations/Animations.json";
    static constexpr const char* kDefaultSheet = "Default";
    static AnimationManager* getInstance();

    ~AnimationManager() override;

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    // The sheet of that name, else "Default"; throws std::out_of_range when "Default" is
    // missing too.
    virtual AnimationSheet* getAnimationSheet(const std::string& name);

    // Adds the sheets of a file; the first sheet of a name wins. A file that cannot be opened
    // throws std::invalid_argument; malformed JSON, a file without its list of sheets or a
    // value of the wrong kind throws JsonFileError (a std::runtime_error) naming the file.
    // Sheets without a usable grid or a name, and animations without frames or a name, are
    // logged and skipped.
    void loadAnimationSheets(const std::string& path);
    bool hasAnimationSheet(const std::string& name) const { return sheets.count(name) != 0; }
    std::vector<std::string> getSheetNames() const;

private:
    void clearSheets();

    std::map<std::string, AnimationSheet*> sheets;
};

class AnimationManagerNull : public AnimationManager
{
public:
    static AnimationManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    // Whatever is asked for, the real manager's "Default" sheet.
    AnimationSheet* getAnimationSheet(const std::string& name) override;
};
