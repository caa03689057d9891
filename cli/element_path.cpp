#include "cli/element_path.h"

bool ParseElementPath(const std::string& text, std::vector<uint32_t>* indices) {
    indices->clear();
    uint64_t index = 0;
    bool digits = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            index = index * 10 + static_cast<uint64_t>(c - '0');
            if (index > UINT32_MAX) {
                index = UINT32_MAX;
            }
            digits = true;
        } else if (c == '/' && digits) {
            indices->push_back(static_cast<uint32_t>(index));
            index = 0;
            digits = false;
        } else {
            return false;
        }
    }
    if (!digits) {
        return false;
    }
    indices->push_back(static_cast<uint32_t>(index));
    return true;
}
