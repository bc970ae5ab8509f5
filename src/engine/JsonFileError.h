#pragma once
// Every data file the game reads goes through ParseJsonFile, so that a malformed, hostile or
// absurdly deep document is refused in one place and the refusal always names the file.

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>

// Containers may nest this deep and no deeper; the game's own files stay well under it, and
// the bound keeps every later recursive walk or copy of a document shallow.
constexpr int kMaxJsonDepth = 64;

// A data file that could not be read as JSON, or that holds a value of the wrong kind; the text
// names the file and the problem.
class JsonFileError : public std::runtime_error
{
public:
    JsonFileError(const std::string& path, const std::string& problem);
};

// Parses a whole document (strict, no comments). A syntax error, a number out of range or
// nesting deeper than kMaxJsonDepth throws JsonFileError; the parse never recurses.
nlohmann::json ParseJsonFile(const std::string& text, const std::string& path);
// "File: [<path>] " followed by the problem, the form every loader's extra error line takes.
std::string JsonProblemText(const std::string& path, const std::string& problem);
// The line for any failure while reading the file: a JsonFileError already names it.
std::string JsonFailureText(const std::string& path, const std::exception& error);
