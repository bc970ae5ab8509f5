// Every name the code or a data file looks up exists among the shipped assets, and every
// shipped asset is looked up by something. Names come from the data files themselves and
// from the literal arguments of the lookups in src/ (with named constants resolved), so the
// checks follow the assets as levels, archetypes and textures are added.

#include "engine/FileHelpers.h"
#include "engine/JsonFileError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <vector>

namespace
{
using json = nlohmann::json;
using Names = std::set<std::string>;

json ReadJson(const std::string& path)
{
    return ParseJsonFile(ReadFile(path), path);
}

Names FileStems(const std::string& folder)
{
    Names stems;
    for (const std::string& path : ListFolder(folder, false, true))
        stems.insert(StripExtension(GetFileName(path)));
    return stems;
}

std::string Join(const Names& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

Names Minus(const Names& all, const Names& taken)
{
    Names rest;
    for (const std::string& name : all)
        if (!taken.count(name))
            rest.insert(name);
    return rest;
}

// ------------------------------------------------------------------- the code's names

// The whole of src/, one string, read once.
const std::string& SourceText()
{
    static std::string text;
    if (!text.empty())
        return text;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("src"))
    {
        const std::string extension = entry.path().extension().string();
        if (extension == ".cpp" || extension == ".h")
            text += ReadFile(entry.path().string()) + "\n";
    }
    return text;
}

Names Literals(const std::string& text)
{
    static const std::regex literal("\"([A-Za-z0-9_]+)\"");
    Names found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), literal); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

// What each kName stands for: `kName = "x"` and `kName[] = {"x", "y"}` anywhere in src/. A
// name defined in several files (kMoveRight, kIconTexture) stands for all of its values.
std::map<std::string, Names> Constants(const std::string& source)
{
    static const std::regex single(R"(\b(k\w+)\s*=\s*"([^"]*)\")");
    static const std::regex table(R"(\b(k\w+)\[\d*\]\s*=\s*\{([^}]*)\})");
    std::map<std::string, Names> constants;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), single); it != std::sregex_iterator(); ++it)
        constants[(*it)[1]].insert((*it)[2]);
    for (auto it = std::sregex_iterator(source.begin(), source.end(), table); it != std::sregex_iterator(); ++it)
        for (const std::string& name : Literals((*it)[2]))
            constants[(*it)[1]].insert(name);
    return constants;
}

const std::map<std::string, Names>& SourceConstants()
{
    static const std::map<std::string, Names> constants = Constants(SourceText());
    return constants;
}

// The text of the call's arguments, from just after `(` to its matching `)`.
std::string ArgumentText(const std::string& source, size_t open)
{
    int depth = 1;
    size_t end = open;
    while (end < source.size() && depth > 0)
    {
        const char c = source[end++];
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    }
    return source.substr(open, end - open - 1);
}

// The argument without what nested calls are given: in setTexture(Find(kName)) the name is
// Find's business, not setTexture's.
std::string TopLevel(const std::string& argument)
{
    std::string text;
    int depth = 0;
    for (char c : argument)
    {
        depth += c == '(' ? 1 : 0;
        if (depth == 0)
            text += c;
        depth -= c == ')' ? 1 : 0;
    }
    return text;
}

// Literals and named constants in one argument (both arms of a `?:` count).
Names ResolveArguments(const std::string& argument, const std::map<std::string, Names>& constants)
{
    static const std::regex constant(R"(\b(k\w+))");
    const std::string arguments = TopLevel(argument);
    Names names = Literals(arguments);
    for (auto it = std::sregex_iterator(arguments.begin(), arguments.end(), constant); it != std::sregex_iterator();
         ++it)
    {
        const auto known = constants.find((*it)[1]);
        if (known != constants.end())
            names.insert(known->second.begin(), known->second.end());
    }
    return names;
}

struct Lookup
{
    std::string call;     // Regex ending just before the argument list's `(`.
    int argument;         // Which argument names the asset; -1 for the one before the last.
};

std::string NthArgument(const std::string& arguments, int index)
{
    std::vector<std::string> parts(1);
    int depth = 0;
    for (char c : arguments)
    {
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (c == ',' && depth == 0)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    const int at = index >= 0 ? index : static_cast<int>(parts.size()) + index - 1;
    return at >= 0 && at < static_cast<int>(parts.size()) ? parts[static_cast<size_t>(at)] : "";
}

// Names the code hands to the lookups, plus the values of constants whose name says what
// they hold (kHoverSound, kQuitTexture, kMoveAnimations...) when a pattern is given.
Names CodeNames(const std::vector<Lookup>& lookups, const std::string& constantPattern = "")
{
    const std::string& source = SourceText();
    const std::map<std::string, Names>& constants = SourceConstants();
    Names names;
    for (const Lookup& lookup : lookups)
    {
        const std::regex call("\\b" + lookup.call + "\\(");
        for (auto it = std::sregex_iterator(source.begin(), source.end(), call); it != std::sregex_iterator(); ++it)
        {
            const std::string arguments = ArgumentText(source, static_cast<size_t>(it->position() + it->length()));
            const Names found = ResolveArguments(NthArgument(arguments, lookup.argument), constants);
            names.insert(found.begin(), found.end());
        }
    }
    const std::regex named(constantPattern);
    for (const auto& [constant, values] : constants)
        if (!constantPattern.empty() && std::regex_match(constant, named))
            names.insert(values.begin(), values.end());
    return names;
}

// -------------------------------------------------------------- names built at run time

int SourceInteger(const std::string& name)
{
    const std::string& source = SourceText();
    std::smatch match;
    const std::regex definition("\\b" + name + "\\s*=\\s*(\\d+)");
    return std::regex_search(source, match, definition) ? std::stoi(match[1]) : 0;
}

// Every level "LevelN" in assets/scenes has its wipe "TransitionN" (a texture, a sheet and
// the sheet's one animation) and its title card "LevelNText".
Names LevelNumbers()
{
    static const std::regex level("Level(\\d+)");
    Names numbers;
    std::smatch match;
    for (const std::string& scene : FileStems("assets/scenes"))
        if (std::regex_match(scene, match, level))
            numbers.insert(match[1]);
    return numbers;
}

Names Wipes()
{
    Names names;
    for (const std::string& n : LevelNumbers())
        names.insert("Transition" + n);
    return names;
}

// The pause menu's pages: "PMCredits1".."PMCredits<kCreditsPages>" and, for each device's
// prefix in kTutorialPrefixes, "<prefix>1".."<prefix><kControlPages>". The splash screen's
// logos come from its kLogos table.
Names RunTimeTextures()
{
    const std::map<std::string, Names>& constants = SourceConstants();
    Names names = Wipes();
    for (const std::string& n : LevelNumbers())
        names.insert("Level" + n + "Text");
    const auto pages = [&](const std::string& prefixes, int count) {
        for (const std::string& prefix : constants.at(prefixes))
            for (int page = 1; page <= count; ++page)
                names.insert(prefix + std::to_string(page));
    };
    pages("kCreditsPrefix", SourceInteger("kCreditsPages"));
    pages("kTutorialPrefixes", SourceInteger("kControlPages"));
    const std::string& source = SourceText();
    const size_t logos = source.find("kLogos[] = {");
    if (logos != std::string::npos)
    {
        const Names logoNames = Literals(source.substr(logos, source.find("};", logos) - logos));
        names.insert(logoNames.begin(), logoNames.end());
    }
    return names;
}

// ------------------------------------------------------------------- the data's names

struct Shipped
{
    Names textures;
    Names sheets;
    Names animations;
    Names presets;
    Names groups;
    Names sources;
    Names emitters;
    Names archetypes;
    Names actions;
};

Shipped ReadShipped()
{
    Shipped shipped;
    shipped.textures = FileStems("assets/textures/opaque");
    const Names blended = FileStems("assets/textures/blended");
    shipped.textures.insert(blended.begin(), blended.end());
    const json animations = ReadJson("assets/Animations/Animations.json");
    for (const json& sheet : animations.at("AnimationSheets"))
    {
        shipped.sheets.insert(sheet.at("Name").get<std::string>());
        for (const json& animation : sheet.at("Animations"))
            shipped.animations.insert(animation.at("Name").get<std::string>());
    }
    const json presets = ReadJson("assets/sound/soundPresets.json");
    for (const auto& [name, preset] : presets.items())
        if (preset.is_object())
            shipped.presets.insert(name);
    const json groups = ReadJson("assets/sound/soundGroups.json");
    for (const auto& [name, group] : groups.items())
        shipped.groups.insert(name);
    shipped.sources = FileStems("assets/sound/soundSources");
    const Names music = FileStems("assets/sound/music");
    shipped.sources.insert(music.begin(), music.end());
    const json emitters = ReadJson("assets/ParticleEmitter.json");
    for (const auto& [name, emitter] : emitters.items())
        shipped.emitters.insert(name);
    for (const json& archetype : ReadJson("assets/Entity.json"))
        shipped.archetypes.insert(archetype.at("name").get<std::string>());
    const json bindings = ReadJson("assets/input.json");
    for (const auto& [binding, entry] : bindings.items())
        if (entry.is_object())
            shipped.actions.insert(entry.at("Action").get<std::string>());
    return shipped;
}

// What the data files name: archetypes name textures, sheets and emitters; levels name
// archetypes; emitters and the package settings name textures; presets name sources and groups.
Shipped ReadReferenced()
{
    Shipped named;
    for (const json& archetype : ReadJson("assets/Entity.json"))
    {
        if (archetype.contains("Texture"))
            named.textures.insert(archetype.at("Texture").get<std::string>());
        if (archetype.contains("Animations"))
            named.sheets.insert(archetype.at("Animations").get<std::string>());
        for (const json& emitter : archetype.value("EmitterListComp", json::array()))
            named.emitters.insert(emitter.at("Name").get<std::string>());
    }
    for (const std::string& path : ListFolder("assets/scenes", false, true))
    {
        const json scene = ReadJson(path);
        for (const json& layer : scene.at("layers"))
            for (const json& object : layer.value("objects", json::array()))
                named.archetypes.insert(object.at("type").get<std::string>());
    }
    const json emitters = ReadJson("assets/ParticleEmitter.json");
    for (const auto& [name, emitter] : emitters.items())
        if (emitter.contains("Texture"))
            named.textures.insert(emitter.at("Texture").get<std::string>());
    named.textures.insert(ReadJson("assets/package.json").at("ridicule texture").get<std::string>());
    const json presets = ReadJson("assets/sound/soundPresets.json");
    for (const auto& [name, preset] : presets.items())
    {
        if (!preset.is_object())
            continue;
        named.sources.insert(preset.value("SoundSource", "Default"));
        named.groups.insert(preset.value("Group", "Default"));
    }
    return named;
}

Shipped ReadCode()
{
    Shipped code;
    // kUseTexture is a shader uniform, not a texture.
    code.textures = CodeNames({{"getTexture", 0}, {"setTexture", 0}, {"SetTexture", 1}, {"AddButton", -1}},
                              "k(?!Use)\\w+Texture|k\\w+Notice");
    code.sheets = CodeNames({{"getAnimationSheet", 0}}, "k\\w+(Sheet|SheetName)");
    // The player's ChooseAnimation picks among kMoveAnimations and kIdleLeft/kIdleRight.
    code.animations = CodeNames({{"play", 0}, {"setAnimation", 0}}, "k\\w+Animations|kIdle\\w+");
    code.presets = CodeNames({{"playPreset", 0}}, "k\\w+Sound|kMusic(Level\\d+|Preset)");
    code.emitters = CodeNames({{"EmitterOf", 1}, {"SetEmitterActive", 1}, {"getEmitter", 0}});
    code.archetypes = CodeNames({{"cloneArchetype", 0}}, "Archetype");
    // Only actions that wait on a binding from assets/input.json; addBinding makes its own.
    code.actions = CodeNames({{"registerCallback", 0}});
    return code;
}

struct Category
{
    const char* what;
    Names Shipped::*names;
};

const std::vector<Category> kCategories = {
    {"texture", &Shipped::textures},     {"animation sheet", &Shipped::sheets},
    {"animation", &Shipped::animations}, {"sound preset", &Shipped::presets},
    {"sound group", &Shipped::groups},   {"sound source", &Shipped::sources},
    {"emitter", &Shipped::emitters},     {"archetype", &Shipped::archetypes},
    {"input action", &Shipped::actions}};

// Looked up by the engine itself as fallbacks, so they must ship even when nothing names them.
Shipped Required()
{
    Shipped required;
    required.textures = {"NO_TEXTURE"};
    required.sheets = {"Default"};
    required.animations = {"Default"};
    required.presets = {"Default"};
    required.groups = {"Default"};
    required.sources = {"Default"};
    return required;
}

Shipped RunTime()
{
    Shipped built;
    built.textures = RunTimeTextures();
    built.sheets = Wipes();
    built.animations = Wipes();
    return built;
}

// Read once for the suite: scanning src/ with regexes is the slow part.
class AssetUsageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        shipped = ReadShipped();
        data = ReadReferenced();
        code = ReadCode();
        runTime = RunTime();
        required = Required();
    }

    static inline Shipped shipped;
    static inline Shipped data;
    static inline Shipped code;
    static inline Shipped runTime;
    static inline Shipped required;
};
}

TEST_F(AssetUsageTest, EveryNameLookedUpIsShipped)
{
    for (const Category& category : kCategories)
    {
        SCOPED_TRACE(category.what);
        for (const Shipped* source : {&data, &code, &required, &runTime})
        {
            const Names missing = Minus(source->*category.names, shipped.*category.names);
            EXPECT_TRUE(missing.empty()) << "missing " << category.what << "s: " << Join(missing);
        }
    }
}

TEST_F(AssetUsageTest, EveryShippedAssetIsLookedUp)
{
    for (const Category& category : kCategories)
    {
        SCOPED_TRACE(category.what);
        Names used;
        for (const Shipped* source : {&data, &code, &required, &runTime})
            used.insert((source->*category.names).begin(), (source->*category.names).end());
        const Names unused = Minus(shipped.*category.names, used);
        EXPECT_TRUE(unused.empty()) << "unused " << category.what << "s: " << Join(unused);
    }
}

TEST_F(AssetUsageTest, ExtractionFindsTheCodesLookups)
{
    // Guards the regexes: a few lookups known to be in the code must be found.
    EXPECT_TRUE(code.presets.count("Jump"));
    EXPECT_TRUE(code.presets.count("UiHover"));
    EXPECT_TRUE(code.textures.count("PMBContinue"));
    EXPECT_TRUE(code.textures.count("TempZero"));
    EXPECT_TRUE(code.emitters.count("Hazard"));
    EXPECT_TRUE(code.archetypes.count("Package"));
    EXPECT_TRUE(code.animations.count("Walk_Left"));
    EXPECT_TRUE(code.actions.count("Jump"));
    EXPECT_TRUE(runTime.textures.count("PMXboxTutorial4"));
    EXPECT_TRUE(runTime.textures.count("TeamLogo"));
}
