#include "engine/FileHelpers.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(FileHelpers, PathSplitters)
{
    EXPECT_EQ(GetExtension("shaders/World/main.frag"), "frag");
    EXPECT_EQ(GetExtension("noDotHere"), "");
    EXPECT_EQ(GetExtension("dir.old/file"), "old/file");
    EXPECT_EQ(GetExtension(""), "");

    EXPECT_EQ(StripExtension("Level1.json"), "Level1");
    EXPECT_EQ(StripExtension("assets/meshes/quad"), "assets/meshes/quad");

    EXPECT_EQ(GetFileName("assets/meshes/quad.obj"), "quad.obj");
    EXPECT_EQ(GetFileName("a\\b"), "b");
    EXPECT_EQ(GetFileName("a/b/"), "b");
    EXPECT_EQ(GetFileName("b/"), "b");
    EXPECT_EQ(GetFileName("plain"), "plain");
    EXPECT_EQ(GetFileName(""), "");
}

TEST(FileHelpers, ReadFileReturnsWholeFileAndThrowsWithALogLineWhenMissing)
{
    const std::string folder = test::ScratchFolder("ReadFile");
    test::WriteText(folder + "/text.txt", "line one\nline two\n");
    EXPECT_EQ(ReadFile(folder + "/text.txt"), "line one\nline two\n");

    test::ConsoleCapture console;
    // The exception carries the line too: whoever reports it at the top names the file.
    try
    {
        ReadFile(folder + "/absent.txt");
        ADD_FAILURE() << "no exception";
    }
    catch (const std::exception& problem)
    {
        EXPECT_EQ(std::string(problem.what()), "File: " + folder + "/absent.txt not found.");
    }
    EXPECT_NE(console.err().find("ERROR! : File: " + folder + "/absent.txt not found."), std::string::npos);
}

TEST(FileHelpers, ReadRequiredFileNamesTheMissingPathInBracketsAndThrowsInvalidArgument)
{
    const std::string folder = test::ScratchFolder("ReadRequiredFile");
    test::WriteText(folder + "/data.json", "{}\n");
    EXPECT_EQ(ReadRequiredFile(folder + "/data.json"), "{}\n");

    test::ConsoleCapture console;
    const std::string missing = folder + "/absent.json";
    try
    {
        ReadRequiredFile(missing);
        ADD_FAILURE() << "no exception";
    }
    catch (const std::invalid_argument& problem)
    {
        EXPECT_EQ(std::string(problem.what()), "File: [" + missing + "] not found.");
    }
    EXPECT_NE(console.err().find("ERROR! : File: [" + missing + "] not found."), std::string::npos);
}

TEST(FileHelpers, ListFolderIsSortedAndFiltersByKind)
{
    const std::string folder = test::ScratchFolder("ListFolder");
    test::WriteText(folder + "/b.txt", "");
    test::WriteText(folder + "/a.txt", "");
    test::WriteText(folder + "/c/inner.txt", "");

    EXPECT_EQ(ListFolder(folder, false, true),
              (std::vector<std::string>{folder + "/a.txt", folder + "/b.txt"}));
    EXPECT_EQ(ListFolder(folder, true, false), (std::vector<std::string>{folder + "/c"}));
    EXPECT_EQ(ListFolder(folder, true, true).size(), 3u);
    EXPECT_TRUE(ListFolder(folder + "/missing", true, true).empty());
}
