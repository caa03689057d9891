#include "dictionary/json_output.h"

#include <memory>
#include <vector>

namespace {

struct ArenaBlock {
    std::unique_ptr<unsigned char[]> bytes;
    size_t size;
};

const size_t kArenaBlockSize = 1u << 16;
const size_t kArenaAlignment = 16;

std::vector<ArenaBlock> g_arenaBlocks;
size_t g_arenaBlock = 0;
size_t g_arenaUsed = 0;
size_t g_arenaLive = 0;

bool IsAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

char Upper(char c) {
    return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

void* JsonArenaAllocate(size_t bytes) {
    bytes = (bytes + kArenaAlignment - 1) & ~(kArenaAlignment - 1);
    while (g_arenaBlock < g_arenaBlocks.size() &&
           bytes > g_arenaBlocks[g_arenaBlock].size - g_arenaUsed) {
        ++g_arenaBlock;
        g_arenaUsed = 0;
    }
    if (g_arenaBlock == g_arenaBlocks.size()) {
        const size_t size = bytes > kArenaBlockSize ? bytes : kArenaBlockSize;
        g_arenaBlocks.push_back(
            ArenaBlock{std::unique_ptr<unsigned char[]>(new unsigned char[size]), size});
        g_arenaUsed = 0;
    }
    void* block = g_arenaBlocks[g_arenaBlock].bytes.get() + g_arenaUsed;
    g_arenaUsed += bytes;
    ++g_arenaLive;
    return block;
}

void JsonArenaRelease() {
    if (--g_arenaLive == 0) {
        g_arenaBlock = 0;
        g_arenaUsed = 0;
    }
}

Json JsonText(std::string text) {
    if (IsAscii(text)) {
        return Json(std::move(text));
    }
    std::string utf8;
    utf8.reserve(text.size() + 8);
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

void AppendJson(const Json& value, bool indented, std::string* out) {
    // The library escapes non-ASCII characters as \u00xx in lower case and writes \b and \f
    // short; the tool has always written upper-case \u escapes for all of them.
    const std::string text = value.dump(indented ? 2 : -1, ' ', true);
    out->reserve(out->size() + text.size());
    size_t at = 0;
    for (;;) {
        const size_t slash = text.find('\\', at);
        if (slash == std::string::npos || slash + 1 >= text.size()) {
            out->append(text, at, std::string::npos);
            return;
        }
        out->append(text, at, slash - at);
        const char kind = text[slash + 1];
        at = slash + 2;
        if (kind == 'u' && slash + 5 < text.size()) {
            out->append("\\u");
            for (size_t digit = 0; digit < 4; ++digit) {
                out->push_back(Upper(text[at + digit]));
            }
            at += 4;
        } else if (kind == 'b') {
            out->append("\\u0008");
        } else if (kind == 'f') {
            out->append("\\u000C");
        } else {
            out->push_back('\\');
            out->push_back(kind);
        }
    }
}

void AppendJson(const Json& value, bool indented, int level, std::string* out) {
    const size_t start = out->size();
    AppendJson(value, indented, out);
    if (!indented || level <= 0) {
        return;
    }
    // Line breaks inside JSON strings are escaped: each one here starts a line.
    const std::string indent(2 * static_cast<size_t>(level), ' ');
    for (size_t at = out->find('\n', start); at != std::string::npos;
         at = out->find('\n', at + 1 + indent.size())) {
        out->insert(at + 1, indent);
    }
}
