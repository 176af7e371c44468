// Facts printed by `info`: "key: value" lines, or one JSON object with the same keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

struct Fact {
    enum class Kind { kInteger, kNumber, kText };
    std::string key;
    Kind kind = Kind::kInteger;
    int64_t integer = 0;
    std::string text;  // a number's decimal text, or the text itself
};

Fact IntegerFact(std::string key, int64_t value);
Fact NumberFact(std::string key, std::string decimal);
Fact TextFact(std::string key, std::string value);

std::string FactLines(const std::vector<Fact>& facts);
// Strings are escaped; bytes that are not UTF-8 are taken as CP932 (the model's code page).
// A number that is not finite becomes null.
std::string FactJson(const std::vector<Fact>& facts);

// The JSON string literal of `bytes`, quotes included.
std::string JsonString(const std::string& bytes);

}  // namespace tools
