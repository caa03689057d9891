// JSON output of the tool, built with nlohmann/json.
#ifndef QUORVEL_CLI_JSON_OUTPUT_H
#define QUORVEL_CLI_JSON_OUTPUT_H

#include <nlohmann/json.hpp>
#include <string>

// Members keep the order they were added in.
using Json = nlohmann::ordered_json;

// The program's texts are 8-bit: every byte is taken as the Latin-1 character of that code.
Json JsonText(const std::string& text);

// Appends the value, indented by two spaces or compact on one line. Every byte outside
// printable ASCII is written as an upper-case \u escape, except \n, \r and \t; quotes and
// backslashes are escaped as usual.
void AppendJson(const Json& value, bool indented, std::string* out);

#endif
