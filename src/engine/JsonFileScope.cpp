#include "engine/JsonFileScope.h"

#include <utility>

namespace
{
const JsonFileScope* gInnermost = nullptr;
}

JsonFileScope::JsonFileScope(std::string path) : path(std::move(path)), outer(gInnermost)
{
    gInnermost = this;
}

JsonFileScope::~JsonFileScope()
{
    gInnermost = outer;
}

const std::string& JsonFileScope::current()
{
    static const std::string kNoFile = "(data read outside a file)";
    return gInnermost ? gInnermost->path : kNoFile;
}
