// A small streaming JSON writer with two-space indentation.
#ifndef QUORVEL_CLI_JSON_WRITER_H
#define QUORVEL_CLI_JSON_WRITER_H

#include <string>
#include <vector>

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // Names the next value inside an object.
    void Key(const std::string& key);
    void String(const std::string& value);
    void Number(long value);
    void Null();

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    void NewLine();
    void Close(char bracket);

    std::string text_;
    // Per open container: whether it already holds a member.
    std::vector<bool> hasMembers_;
    bool afterKey_ = false;
};

#endif
