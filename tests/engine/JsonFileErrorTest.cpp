#include "engine/JsonFileError.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Nested(int levels, char open, char close, const std::string& inner = "")
{
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += open == '{' ? std::string("{\"k\":") : std::string(1, open);
    text += inner.empty() ? (open == '{' ? "1" : "") : inner;
    return text + std::string(static_cast<size_t>(levels), close);
}

std::string Problem(const std::string& text)
{
    try
    {
        ParseJsonFile(text, "data/file.json");
    }
    catch (const JsonFileError& error)
    {
        return error.what();
    }
    return "";
}
}

TEST(JsonFileError, NestingIsBoundedAtSixtyFourLevelsForListsAndObjects)
{
    EXPECT_EQ(Problem(Nested(kMaxJsonDepth, '[', ']')), "");
    EXPECT_EQ(Problem(Nested(kMaxJsonDepth, '{', '}')), "");
    const std::string tooDeep = "File: [data/file.json] nests deeper than 64 levels.";
    EXPECT_EQ(Problem(Nested(kMaxJsonDepth + 1, '[', ']')), tooDeep);
    EXPECT_EQ(Problem(Nested(kMaxJsonDepth + 1, '{', '}')), tooDeep);
    EXPECT_EQ(Problem(Nested(100000, '[', ']')), tooDeep);
    // Unclosed nesting is refused for its depth before the missing brackets are noticed.
    EXPECT_EQ(Problem(std::string(1000000, '[')), tooDeep);
}

TEST(JsonFileError, SyntaxAndRangeErrorsNameTheFile)
{
    for (const char* text : {"{\"a\": ", "[1e400]", "{} trailing", "// note\n{}", ""})
        EXPECT_EQ(Problem(text).rfind("File: [data/file.json] [json.exception.", 0), 0u) << text;
    EXPECT_EQ(ParseJsonFile(R"({"a": [1, {"b": null}]})", "x")["a"][1].size(), 1u);
}
