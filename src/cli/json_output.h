// The --json switch of the reading verbs: takes the word out of the arguments, and prints one
// UTF-8 JSON object as the whole of standard output. Called by list, status, hw, advice, games,
// backups and the other verbs that offer --json.
#pragma once
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace vx::cli {

using Json = nlohmann::ordered_json;

// True when "--json" was among the arguments; removes every such word.
bool takeJsonSwitch(std::vector<std::wstring>& args);

// The object, indented by two, then one line end, on standard output.
void printJson(const Json& object);

// A wide text as a JSON string (UTF-8).
std::string jsonText(const std::wstring& text);

}  // namespace vx::cli
