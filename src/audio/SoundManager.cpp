#include "audio/SoundManager.h"

#include "audio/SoundJson.h"
#include "engine/FileHelpers.h"
#include "engine/Engine.h"
#include "engine/JsonFileError.h"
#include "engine/JsonValue.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "input/InputSystem.h"
#include "platform/AudioChannelGroup.h"
#include "platform/AudioSound.h"

#include <fstream>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

using nlohmann::json;

namespace
{
SoundManager* gSoundManager = nullptr;

// The presets file's own top-level settings, which sit among the presets.
constexpr const char* kFootStepBaseVolume = "FootStepBaseVolume";
constexpr const char* kFootStepBasePitch = "FootStepBasePitch";
constexpr const char* kFootStepVariationVolume = "FootStepVariationVolume";
constexpr const char* kFootStepVariationPitch = "FootStepVariationPitch";
constexpr const char* kVariationOnOff = "VarationOn/Off";
const std::set<std::string> kPresetFileSettings = {kFootStepBaseVolume, kFootStepBasePitch, kFootStepVariationVolume,
                                                   kFootStepVariationPitch, kVariationOnOff};
const std::set<std::string> kNoSettings;

// The whole receipt count rather than one byte of it: a byte wraps after 256 plays, and a
// play whose key a live sound of the same source still held went unrecorded, out of reach of
// stopByName and stopAll (an endless loop then never stopped).
std::string InstanceKey(const std::string& source)
{
    return source + "#" + std::to_string(SoundReceipt::getCounter());
}

void ApplyPreset(AudioChannel& channel, const SoundPreset& preset)
{
    channel.setVolume(preset.volume);
    channel.setPitch(preset.pitch);
    channel.setLoopCount(preset.loopCount);
}

SoundManager* Sound()
{
    return Engine::getSystem<SoundManager>(SoundManager::kName, SoundManagerNull::instance());
}

// The receipt the developer keys test with.
SoundReceipt gTestReceipt;

void OnSoundTest(InputEvent)
{
    gTestReceipt = Sound()->playPreset("Jump");
    gTestReceipt.setVolume(0.2f);
}

void OnStopMusic(InputEvent)
{
    Sound()->stopStream("Music");
}

void OnPlayMusic(InputEvent)
{
    Sound()->playPreset("Music");
}

void OnStopTestSound(InputEvent)
{
    gTestReceipt.stop();
}

void OnStopAllSounds(InputEvent)
{
    Sound()->stopAll();
}

// An empty path is the editor's "no path typed yet" and writes nothing quietly.
bool WriteSoundFile(const std::string& path, const json& document)
{
    if (WriteTextAtomically(path, document.dump(4, ' ', false)))
        return true;
    if (!path.empty())
        Log()->error("Sound file [" + path + "] could not be written; the old file is kept.");
    return false;
}

// The entry's name, or nothing when the entry is of the wrong shape, which is then reported.
std::optional<std::string> EntryName(const json& entry, const std::string& subject, const std::string& file)
{
    const std::string skipped = subject + " is skipped";
    if (!entry.is_object())
    {
        Log()->error(JsonShapeText(file, subject, entry, "an object with a \"Name\"", "it is skipped"));
        return std::nullopt;
    }
    const auto name = entry.find("Name");
    if (name == entry.end())
        Log()->error(MissingKeyText("Name", "a string", file, skipped));
    else if (!name->is_string())
        Log()->error(WrongKindText(*name, "Name", "a string", file, skipped));
    else
        return name->get<std::string>();
    return std::nullopt;
}

// Group and preset files hold one object per entry, in an object keyed by name or in an array;
// null (what the editor saves when there is nothing) holds none. Anything else, and an entry
// that is no object with a string "Name", is reported and skipped. Top-level members named in
// `settings` are the file's own settings, which their reader checks: only one that looks like
// an entry is taken for one.
template <class Visit>
void ForEachNamedEntry(const json& document, const std::string& file, const std::string& entries,
                       const std::set<std::string>& settings, Visit visit)
{
    if (!document.is_null() && !document.is_object() && !document.is_array())
        Log()->error(JsonShapeText(file, "", document, "an object or a list of " + entries, "none is loaded"));
    if (!document.is_object() && !document.is_array())
        return;
    for (const auto& item : document.items())
    {
        const bool looksLikeEntry = item.value().is_object() && item.value().contains("Name");
        if (document.is_object() && settings.count(item.key()) && !looksLikeEntry)
            continue;
        if (const auto name = EntryName(item.value(), JsonEntrySubject(document, item.key()), file))
            visit(*name, item.value());
    }
}
}

SoundManager* SoundManager::getInstance()
{
    return GetSystemSingleton(gSoundManager, kName);
}

SoundManagerNull* SoundManagerNull::instance()
{
    static SoundManagerNull null;
    return &null;
}

void SoundManager::initialize()
{
    SoundReceipt::resetCounter();
    audio.init(kChannelCount);
    loadGroups();
    loadSources();
    loadPresets();
    loadMusicList();
    reportMissingFallbacks();
    bindDeveloperKeys();
    Log()->message(kLogName, "initialize");
}

void SoundManager::update()
{
    removeFinished();
    audio.update();
    for (auto& [name, group] : groups)
        group->setMute(muted);
}

void SoundManager::render() {}

void SoundManager::shutdown()
{
    audio.release();
    // What pointed at the released sounds, streams and groups goes with them, so a later
    // initialize loads them afresh instead of using freed ones; the source names are listed
    // again by that load. Presets and the music list stay.
    instances.clear();
    sources.clear();
    sourceNames.clear();
    streams.clear();
    groups.clear();
    Log()->message(kLogName, "shutdown");
}

void SoundManager::addPreset(std::string name, std::string source, std::string group, float volume,
                             float pitch)
{
    presets.emplace(std::move(name), SoundPreset{std::move(source), std::move(group), volume, pitch});
}

SoundReceipt SoundManager::playPreset(std::string name)
{
    if (muted)
        return SoundReceipt();
    auto it = presets.find(name);
    if (it != presets.end())
        return play(it->second);
    reportMissing("Sound preset", name);
    auto fallback = presets.find(SoundPreset::kDefaultName);
    if (fallback == presets.end())
        return SoundReceipt();
    return play(fallback->second);
}

SoundReceipt SoundManager::playSource(std::string source, std::string group, float volume,
                                      float pitch)
{
    if (muted)
        return SoundReceipt();
    return play(SoundPreset{std::move(source), std::move(group), volume, pitch});
}

SoundReceipt SoundManager::play(SoundPreset preset)
{
    if (muted || !hasDefaultSource())
        return SoundReceipt();
    if (musicList.count(preset.source))
        return playStream(std::move(preset));
    AudioSound* sound = findSound(preset.source);
    AudioChannel channel = audio.playSound(sound, getChannelGroup(preset.group), false);
    ApplyPreset(channel, preset);
    SoundReceipt receipt(channel, preset.source, preset.group, preset.volume, preset.pitch, false,
                         preset.loopCount);
    // A play that yielded no channel has nothing to stop later.
    if (receipt.getTag() != 0)
    {
        instances.emplace(InstanceKey(preset.source),
                          SoundInstance{preset.source, channel.getUserData(), channel});
    }
    return receipt;
}

SoundReceipt SoundManager::playStream(SoundPreset preset)
{
    const std::string& track = preset.source;
    if (streams.count(track))
        return SoundReceipt();
    AudioSound* stream = audio.createStream(musicList.at(track));
    AudioChannel channel = audio.playSound(stream, getChannelGroup(preset.group), false);
    ApplyPreset(channel, preset);
    streams[track] = MusicStream{stream, channel};
    return SoundReceipt(channel, track, preset.group, preset.volume, preset.pitch, true,
                        preset.loopCount);
}

bool SoundManager::hasDefaultSource() const
{
    return sources.count(SoundPreset::kDefaultName) != 0;
}

AudioSound* SoundManager::findSound(const std::string& source)
{
    auto it = sources.find(source);
    if (it != sources.end())
        return it->second;
    reportMissing("Sound source", source);
    return sources.at(SoundPreset::kDefaultName);
}

// Once per name: a missing sound that plays on every jump would otherwise flood the log. The
// "Default" stand-in plays (or, without it, nothing).
void SoundManager::reportMissing(const std::string& what, const std::string& name)
{
    if (reportedMissing.insert(what + "/" + name).second)
        Log()->error(what + ", " + name + ", searched for but not found!");
}

void SoundManager::reportMissingFallbacks() const
{
    if (!hasDefaultSource())
        Log()->error("Sound source \"" + std::string(SoundPreset::kDefaultName) + "\" not found in [" +
                     soundFolder + "soundSources]; no sound will play.");
    if (!presets.count(SoundPreset::kDefaultName))
        Log()->error("Sound preset \"" + std::string(SoundPreset::kDefaultName) + "\" not found in [" +
                     soundFolder + "soundPresets.json]; unknown preset names will play nothing.");
}

void SoundManager::setGroupPitch(const std::string& group, float pitch)
{
    auto it = groups.find(group);
    if (it != groups.end())
        it->second->setPitch(pitch);
}

void SoundManager::setGroupVolume(const std::string& group, float volume)
{
    auto it = groups.find(group);
    if (it != groups.end())
        it->second->setVolume(volume);
}

void SoundManager::stopByName(std::string name)
{
    for (auto& [key, instance] : instances)
    {
        if (instance.name == name)
            instance.channel.stop();
    }
}

void SoundManager::stopAll()
{
    for (auto& [key, instance] : instances)
        instance.channel.stop();
    instances.clear();
    for (auto& [track, music] : streams)
    {
        music.channel.stop();
        audio.releaseSound(music.stream);
    }
    streams.clear();
}

void SoundManager::stopStream(std::string track)
{
    auto it = streams.find(track);
    if (it == streams.end())
        return;
    it->second.channel.stop();
    audio.releaseSound(it->second.stream);
    streams.erase(it);
}

AudioChannelGroup* SoundManager::getChannelGroup(const std::string& name)
{
    auto it = groups.find(name);
    if (it != groups.end())
        return it->second;
    AudioChannelGroup* group = audio.createChannelGroup(name);
    group->setMute(muted);
    groups.emplace(name, group);
    return group;
}

void SoundManager::removeFinished()
{
    std::vector<std::string> finished;
    for (const auto& [key, instance] : instances)
    {
        if (instance.channel.getUserData() != instance.tag)
            finished.push_back(key);
    }
    for (const std::string& key : finished)
        instances.erase(key);
}

void SoundManager::removePreset(const std::string& name)
{
    presets.erase(name);
}

void SoundManager::removeChannelGroup(const std::string& name)
{
    auto it = groups.find(name);
    if (it == groups.end())
        return;
    audio.releaseChannelGroup(it->second);
    groups.erase(it);
}

void SoundManager::loadGroups()
{
    const std::string path = soundFolder + "soundGroups.json";
    const json document = SoundJson::ParseRequiredFile(path);
    ForEachNamedEntry(document, path, "sound groups", kNoSettings, [&](const std::string& name, const json& entry) {
        const float volume = SoundJson::ReadNumber(entry, "Volume", 1.0f, path);
        const float pitch = SoundJson::ReadNumber(entry, "Pitch", 1.0f, path);
        getChannelGroup(name);
        setGroupVolume(name, volume);
        setGroupPitch(name, pitch);
    });
}

void SoundManager::loadSources()
{
    // Opened and closed around the listing; nothing in it is read yet.
    std::ifstream settings(soundFolder + kSourceSettingsFile);
    for (const std::string& path : ListFolder(soundFolder + "soundSources", false, true))
    {
        const std::string name = StripExtension(GetFileName(path));
        sourceNames.push_back(name);
        // The first file of a name keeps it.
        if (!sources.count(name))
            sources.emplace(name, audio.createSound(path));
    }
    settings.close();
}

void SoundManager::loadPresets()
{
    const std::string path = soundFolder + "soundPresets.json";
    const json document = SoundJson::ParseRequiredFile(path);
    if (document.is_object())
    {
        footSteps.baseVolume = SoundJson::ReadNumber(document, kFootStepBaseVolume, 0.0f, path);
        footSteps.basePitch = SoundJson::ReadNumber(document, kFootStepBasePitch, 0.0f, path);
        footSteps.variationVolume = SoundJson::ReadInteger(document, kFootStepVariationVolume, 0, path);
        footSteps.variationPitch = SoundJson::ReadInteger(document, kFootStepVariationPitch, 0, path);
        footSteps.variationOn = SoundJson::ReadBool(document, kVariationOnOff, false, path);
    }
    const auto readPreset = [&](const std::string& name, const json& entry) {
        if (presets.count(name))
            return;
        SoundPreset preset;
        preset.source = SoundJson::ReadString(entry, "SoundSource", SoundPreset::kDefaultName, path);
        preset.group = SoundJson::ReadString(entry, "Group", SoundPreset::kDefaultName, path);
        preset.volume = SoundJson::ReadNumber(entry, "Volume", 1.0f, path);
        preset.pitch = SoundJson::ReadNumber(entry, "Pitch", 1.0f, path);
        preset.loopCount = SoundJson::ReadLoopCount(entry, path);
        presets.emplace(name, std::move(preset));
    };
    ForEachNamedEntry(document, path, "sound presets", kPresetFileSettings, readPreset);
}

void SoundManager::loadMusicList()
{
    for (const std::string& path : ListFolder(soundFolder + "music", false, true))
        musicList.emplace(StripExtension(GetFileName(path)), path);
}

bool SoundManager::savePresets(std::string path) const
{
    json document;
    for (const auto& [name, preset] : presets)
    {
        document[name] = {{"Name", name},
                          {"SoundSource", preset.source},
                          {"Group", preset.group},
                          {"Pitch", static_cast<double>(preset.pitch)},
                          {"Volume", static_cast<double>(preset.volume)},
                          {"Looping", SoundJson::LoopCountToFile(preset.loopCount)}};
    }
    return WriteSoundFile(path, document);
}

bool SoundManager::saveGroups(std::string path) const
{
    json document;
    for (const auto& [name, group] : groups)
    {
        document[name] = {{"Name", name},
                          {"Volume", static_cast<double>(group->getVolume())},
                          {"Pitch", static_cast<double>(group->getPitch())}};
    }
    return WriteSoundFile(path, document);
}

void SoundManager::bindDeveloperKeys()
{
    InputSystem* input =
        Engine::getSystem<InputSystem>(InputSystem::kName, InputSystemNull::instance());
    input->addBinding("SoundTest", 'F', OnPress, OnSoundTest);
    input->addBinding("SSSSS", 'P', OnPress, OnStopMusic);
    input->addBinding("AAAA", 'O', OnPress, OnPlayMusic);
    input->addBinding("CCC", 'J', OnPress, OnStopTestSound);
    input->addBinding("StopAllSounds", 'K', OnPress, OnStopAllSounds);
}
