// JSON as bertlv writes it and the editor copies it, built with nlohmann/json.
#ifndef QUORVEL_DICTIONARY_JSON_OUTPUT_H
#define QUORVEL_DICTIONARY_JSON_OUTPUT_H

#include <stddef.h>
#include <stdint.h>

#include <nlohmann/json.hpp>
#include <string>

// JSON values take their objects, arrays and strings from one bump arena that starts over
// whenever no value is left: a record written at streaming speed costs no allocation for each
// of its hundreds of members, and memory stays that of the largest record.
void* JsonArenaAllocate(size_t bytes);
void JsonArenaRelease();

template <typename T>
struct JsonAllocator {
    using value_type = T;
    JsonAllocator() = default;
    template <typename U>
    JsonAllocator(const JsonAllocator<U>&) {}
    T* allocate(size_t count) { return static_cast<T*>(JsonArenaAllocate(count * sizeof(T))); }
    void deallocate(T*, size_t) { JsonArenaRelease(); }
    template <typename U>
    bool operator==(const JsonAllocator<U>&) const {
        return true;
    }
    template <typename U>
    bool operator!=(const JsonAllocator<U>&) const {
        return false;
    }
};

// Members keep the order they were added in.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, int64_t,
                                  uint64_t, double, JsonAllocator>;

// The program's texts are 8-bit: every byte is taken as the Latin-1 character of that code.
Json JsonText(std::string text);

// Appends the value, indented by two spaces or compact on one line. Every byte outside
// printable ASCII is written as an upper-case \u escape, except \n, \r and \t; quotes and
// backslashes are escaped as usual.
void AppendJson(const Json& value, bool indented, std::string* out);
// The same, indented as a value `level` levels deep: every line after the first starts with
// 2 x `level` more spaces.
void AppendJson(const Json& value, bool indented, int level, std::string* out);

#endif
