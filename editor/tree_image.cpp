#include "editor/tree_image.h"

namespace {

// Each node: isPadding, tagLength, two tag bytes, lengthSize, two length bytes, valueLength
// (high byte first); then a leaf's valueLength bytes, or a constructed element's child count
// and its children.
const int kHeaderSize = 9;

bool IsConstructed(const TlvNode* node) {
    return node->isPadding == 0 && (node->tag[0] & 0x20) != 0;
}

void AppendNode(const TlvNode* node, QByteArray* image) {
    const bool constructed = IsConstructed(node);
    // A leaf's recorded length is the number of value bytes that follow it.
    const uint16_t length = constructed || node->data != nullptr ? node->valueLength : 0;
    const char header[kHeaderSize] = {static_cast<char>(node->isPadding != 0 ? 1 : 0),
                                      static_cast<char>(node->tagLength),
                                      static_cast<char>(node->tag[0]),
                                      static_cast<char>(node->tag[1]),
                                      static_cast<char>(node->lengthSize),
                                      static_cast<char>(node->lengthBytes[0]),
                                      static_cast<char>(node->lengthBytes[1]),
                                      static_cast<char>(length >> 8),
                                      static_cast<char>(length & 0xFF)};
    image->append(header, kHeaderSize);
    if (!constructed) {
        image->append(static_cast<const char*>(node->data), length);
        return;
    }
    const uint8_t count = node->data != nullptr ? node->childCount : 0;
    image->append(static_cast<char>(count));
    for (uint8_t i = 0; i < count; ++i) {
        AppendNode(static_cast<TlvNode* const*>(node->data)[i], image);
    }
}

class ImageReader {
public:
    explicit ImageReader(const QByteArray& image)
        : bytes_(reinterpret_cast<const uint8_t*>(image.constData())),
          size_(static_cast<size_t>(image.size())) {}

    bool AtEnd() const { return at_ == size_; }

    // The next node and everything below it; null when the image ends early, holds a field no
    // node can have, or memory runs out.
    TlvNode* ReadNode(TlvNode* parent, int depth) {
        // Every level costs a tag and a length byte of the 259 an element may take.
        if (depth > TLV_MAX_ELEMENT_SIZE / 2 || size_ - at_ < kHeaderSize) {
            return nullptr;
        }
        const uint8_t* header = bytes_ + at_;
        at_ += kHeaderSize;
        const bool padding = header[0] != 0;
        const uint8_t tagLength = header[1];
        const uint8_t lengthSize = header[4];
        const uint16_t valueLength = static_cast<uint16_t>((header[7] << 8) | header[8]);
        if (header[0] > 1 || lengthSize > 2 || (padding ? tagLength != 0 : tagLength == 0)) {
            return nullptr;
        }
        TlvNode* node =
            padding ? TlvNewPadding(parent) : TlvNewElement(header + 2, tagLength, parent);
        if (node == nullptr) {
            return nullptr;
        }
        node->tag[0] = header[2];
        node->tag[1] = header[3];
        node->lengthSize = lengthSize;
        node->lengthBytes[0] = header[5];
        node->lengthBytes[1] = header[6];
        if (IsConstructed(node) ? ReadChildren(node, depth) : ReadValue(node, valueLength)) {
            node->valueLength = valueLength;
            return node;
        }
        TlvFree(node);
        return nullptr;
    }

private:
    bool ReadValue(TlvNode* node, uint16_t length) {
        if (size_ - at_ < length) {
            return false;
        }
        const uint8_t* value = bytes_ + at_;
        at_ += length;
        return TlvSetValue(node, length > 0 ? value : nullptr, length) == TLV_OK;
    }

    bool ReadChildren(TlvNode* node, int depth) {
        if (at_ == size_) {
            return false;
        }
        const uint8_t count = bytes_[at_++];
        for (uint8_t i = 0; i < count; ++i) {
            TlvNode* child = ReadNode(node, depth + 1);
            if (child == nullptr) {
                return false;
            }
            if (TlvInsertChild(node, i, child) != TLV_OK) {
                TlvFree(child);
                return false;
            }
        }
        return true;
    }

    const uint8_t* bytes_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace

QByteArray TreeImage(const TlvNode* root) {
    QByteArray image;
    if (root != nullptr) {
        AppendNode(root, &image);
    }
    return image;
}

TlvNode* TreeFromImage(const QByteArray& image, bool* ok) {
    *ok = true;
    if (image.isEmpty()) {
        return nullptr;
    }
    ImageReader reader(image);
    TlvNode* root = reader.ReadNode(nullptr, 0);
    if (root == nullptr || !reader.AtEnd()) {
        TlvFree(root);
        *ok = false;
        return nullptr;
    }
    return root;
}
