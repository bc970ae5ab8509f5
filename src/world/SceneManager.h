#pragma once
// Knows the level files under "assets/scenes/" by name and loads one into live entities
// cloned from the archetypes: each object names an archetype and gives a rectangle (y down),
// layers give depth and the kill plane below which the player dies. A load empties the
// entity manager first; once the level stands, the player controller's level timer starts.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <nlohmann/json_fwd.hpp>

#include <map>
#include <string>

class SceneManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "SceneManager";
    static constexpr const char* kSceneFolder = "assets/scenes/";
    static constexpr const char* kSceneChangerTitle = "Scene Changer Window Thingy";
    static SceneManager* getInstance();

    void initialize() override;
    void update() override {}
    void render() override {}
    void shutdown() override;

    virtual void loadScene(std::string name);
    virtual void loadSceneByPath(std::string path);
    virtual float getKillPlane() const { return killPlane; }
    virtual void setKillPlane(float value) { killPlane = value; }
    virtual void reloadScene();

    // The developer window that lists the scenes and loads the one chosen.
    void drawSceneChanger();
    void scanSceneFiles(const std::string& folder = kSceneFolder);

    const std::map<std::string, std::string>& getSceneFiles() const { return sceneFiles; }
    const std::string& getCurrentScene() const { return currentScene; }

private:
    // What a build placed and what it had to leave out.
    struct LevelTally
    {
        int placed = 0;
        int skippedObjects = 0;
        int skippedLayers = 0;
    };

    // Builds the level's entities; false when the file's shape is wrong, said in a line
    // (objects of earlier layers stay). A layer, object or property that cannot be used is
    // logged and skipped; a value of the wrong kind, or an object without its corner or size,
    // throws JsonFileError naming the key.
    bool buildLevel(const nlohmann::json& root, const std::string& path, LevelTally& tally);
    void buildLayer(const nlohmann::json& layer, const std::string& where, LevelTally& tally);
    static std::string loadedText(const std::string& path, const LevelTally& tally);
    void startLevel();

    std::map<std::string, std::string> sceneFiles;
    std::string currentScene = "None";
    float killPlane = 0.0f;
};

class SceneManagerNull : public SceneManager
{
public:
    static SceneManagerNull* instance();
    void initialize() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    void loadScene(std::string) override {}
    void loadSceneByPath(std::string) override {}
    float getKillPlane() const override { return 0.0f; }
    void setKillPlane(float) override {}
    void reloadScene() override {}
};
