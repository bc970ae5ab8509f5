#pragma once
// Plays sound presets and streamed music on channel groups. Everything under the sound folder
// ("assets/sound/") is read once at initialize: channel groups, sound sources, presets and
// the list of music tracks. Every play hands back a SoundReceipt; the manager also keeps the
// sounds it started so they can be stopped by name or all at once, and mutes every channel
// group while `muted` is set.

#include "audio/SoundEditorState.h"
#include "audio/SoundPreset.h"
#include "audio/SoundReceipt.h"
#include "engine/IEngineSystem.h"
#include "engine/Observer.h"
#include "platform/AudioChannel.h"
#include "platform/AudioSystem.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

class AudioChannelGroup;
class AudioSound;

// A sound the manager started and can still stop.
struct SoundInstance
{
    std::string name;
    uint64_t tag = 0;
    AudioChannel channel;
};

struct MusicStream
{
    AudioSound* stream = nullptr;
    AudioChannel channel;
};

// Read from the presets file when present; nothing plays by them yet.
struct FootStepSettings
{
    float baseVolume = 0.0f;
    float basePitch = 0.0f;
    int32_t variationVolume = 0;
    int32_t variationPitch = 0;
    bool variationOn = false;
};

class SoundManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "SoundManager";
    // Source name of the trace lines.
    static constexpr const char* kLogName = "SoundSystem";
    static constexpr int32_t kChannelCount = 101;
    static constexpr const char* kDefaultFolder = "assets/sound/";
    static constexpr const char* kSourceSettingsFile = "soundSourceSettings.json";

    static SoundManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    // Inserts a preset (playing once) unless the name is taken.
    virtual void addPreset(std::string name, std::string source, std::string group, float volume,
                           float pitch);
    virtual SoundReceipt play(SoundPreset preset);
    // An unknown name plays the preset "Default"; without that preset it plays nothing.
    virtual SoundReceipt playPreset(std::string name);
    virtual SoundReceipt playSource(std::string source, std::string group, float volume,
                                    float pitch);
    virtual void setGroupPitch(const std::string& group, float pitch);
    virtual void setGroupVolume(const std::string& group, float volume);
    virtual void stopByName(std::string name);
    virtual void stopAll();
    virtual void stopStream(std::string track);
    // The sound editor: "Sound Manipulation" and the windows it opens. Inside a GUI frame only.
    virtual void drawEditor();

    void drawPresetEditor(std::string name);
    void drawGroupEditor(AudioChannelGroup* group, std::string name);
    void drawSoundTesting();
    void drawActiveInstances();
    // True when the sound was stopped and must leave the test list.
    bool drawInstanceControls(SoundReceipt& receipt);
    // The editor's memory, shared by every manager for the whole run.
    static SoundEditorState& editorState();

    // The group of that name, created on first use.
    AudioChannelGroup* getChannelGroup(const std::string& name);

    void loadGroups();
    void loadSources();
    void loadPresets();
    void loadMusicList();
    // Written atomically: a path that cannot be written keeps its old file, the failure is
    // logged and false returned. An empty path writes nothing.
    bool savePresets(std::string path) const;
    bool saveGroups(std::string path) const;

    // The pause menu flips this; update applies it to every channel group.
    bool muted = false;
    void setMuted(bool mute) { muted = mute; }
    bool isMuted() const { return muted; }

    // Folder the loaders read, with a trailing "/"; tests point it at their own data.
    void setSoundFolder(const std::string& folder) { soundFolder = folder; }
    const std::string& getSoundFolder() const { return soundFolder; }

    // Collections the sound editor browses and edits in place.
    std::map<std::string, SoundPreset>& getPresets() { return presets; }
    const std::map<std::string, AudioChannelGroup*>& getChannelGroups() const { return groups; }
    const std::map<std::string, AudioSound*>& getSources() const { return sources; }
    const std::vector<std::string>& getSourceNames() const { return sourceNames; }
    const std::map<std::string, std::string>& getMusicList() const { return musicList; }
    const std::map<std::string, SoundInstance>& getLiveInstances() const { return instances; }
    const std::map<std::string, MusicStream>& getStreams() const { return streams; }
    const FootStepSettings& getFootStepSettings() const { return footSteps; }
    void removePreset(const std::string& name);
    // Releases the group; its sounds carry on ungrouped.
    void removeChannelGroup(const std::string& name);
    AudioSystem& getAudioSystem() { return audio; }

private:
    SoundReceipt playStream(SoundPreset preset);
    void removeFinished();
    // Every play needs the "Default" source loaded; without it (reported once at start-up)
    // every play does nothing.
    bool hasDefaultSource() const;
    AudioSound* findSound(const std::string& source);
    void reportMissing(const std::string& what, const std::string& name);
    void reportMissingFallbacks() const;
    void bindDeveloperKeys();

    std::map<std::string, SoundInstance> instances;
    AudioSystem audio;
    std::map<std::string, std::string> musicList;
    std::map<std::string, AudioSound*> sources;
    std::vector<std::string> sourceNames;
    std::map<std::string, MusicStream> streams;
    std::map<std::string, SoundPreset> presets;
    std::map<std::string, AudioChannelGroup*> groups;
    FootStepSettings footSteps;
    // Names already logged as missing, each with what it named.
    std::set<std::string> reportedMissing;
    std::string soundFolder = kDefaultFolder;
};

class SoundManagerNull : public SoundManager
{
public:
    static SoundManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    void addPreset(std::string, std::string, std::string, float, float) override {}
    SoundReceipt play(SoundPreset) override { return SoundReceipt(); }
    SoundReceipt playPreset(std::string) override { return SoundReceipt(); }
    SoundReceipt playSource(std::string, std::string, float, float) override
    {
        return SoundReceipt();
    }
    void setGroupPitch(const std::string&, float) override {}
    void setGroupVolume(const std::string&, float) override {}
    void stopStream(std::string) override {}
    void drawEditor() override {}
};
