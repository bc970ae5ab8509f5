#pragma once
// Shared set-up of the input tests: an input system reading a scripted device, callbacks that
// record what they were given, and stand-ins for the systems the input system talks to.

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"
#include "tools/IMGUISystem.h"
#include "ui/UIManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inputtest
{
struct Call
{
    std::string callback;
    InputEvent event;
};

inline std::vector<Call> gCalls;

inline void RecordA(InputEvent event)
{
    gCalls.push_back({"A", event});
}

inline void RecordB(InputEvent event)
{
    gCalls.push_back({"B", event});
}

inline size_t CountCalls(const std::string& callback)
{
    size_t count = 0;
    for (const Call& call : gCalls)
        count += call.callback == callback ? 1 : 0;
    return count;
}

class RecordingStateManager : public EngineStateManager
{
public:
    void setNextState(IEngineState* state) override { requests.push_back(state); }
    std::vector<IEngineState*> requests;
};

class RecordingUIManager : public UIManager
{
public:
    void showControllerNotice(int32_t controllerType) override { notices.push_back(controllerType); }
    std::vector<int32_t> notices;
};

// An input system with the built-in bindings over an empty binding file, reading `device`.
class InputFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gCalls.clear();
        input.setDevice(&device);
        input.setBindingFilePath(bindingFile());
        input.initialize();
    }

    virtual std::string bindingFile() const { return "tests/data/input/empty.json"; }

    // Each call is one fixed step.
    void step(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            input.update();
    }

    FakeInputDevice device;
    InputSystem input;
};

// Adds a current engine with stand-ins for the state manager, interface and developer GUI.
class InputEngineFixture : public InputFixture
{
protected:
    void SetUp() override
    {
        InputFixture::SetUp();
        engine.makeCurrent();
        engine.registerSystemAs(EngineStateManager::kName, &states);
        engine.registerSystemAs(UIManager::kName, &ui);
        engine.registerSystemAs(IMGUISystem::kName, &gui);
    }

    void TearDown() override { engine.shutdown(); }

    Engine engine{"T", 800, 600, 10000};
    RecordingStateManager states;
    RecordingUIManager ui;
    IMGUISystem gui;
};
}
