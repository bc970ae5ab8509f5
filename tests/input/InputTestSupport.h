#pragma once
// Shared set-up of the input tests: an input system reading a scripted device, and callbacks
// that record what they were given.

#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"

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

inline std::vector<ControllerType> gNotices;

inline void RecordNotice(ControllerType type)
{
    gNotices.push_back(type);
}

// An input system with the built-in bindings over an empty binding file, reading `device`;
// its gamepad notices are recorded.
class InputFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gCalls.clear();
        gNotices.clear();
        input.setDevice(&device);
        input.setBindingFilePath(bindingFile());
        input.setControllerNotice(&RecordNotice);
        wire();
        input.initialize();
    }

    virtual std::string bindingFile() const { return "tests/data/input/empty.json"; }
    // Installs what the game hands the system before it starts.
    virtual void wire() {}

    // Each call is one fixed step.
    void step(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            input.update();
    }

    FakeInputDevice device;
    InputSystem input;
};
}
