// Differential tests of the parser and of parsed trees under editing.
//
// Inputs are the fuzzer's seed records and many deterministic mutations of them. Each parse is
// compared with a plain model of the format's rules, written for clarity rather than speed,
// field by field; each accepted input must encode back to itself and free every block. Parsed
// trees are then edited side by side with twins built node by node through the editing
// functions, and both must encode alike after every step and leave no block behind.
#include <gtest/gtest.h>
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "core/tlv.h"
#include "core/tlv_memory.h"
#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

// ---- The model -------------------------------------------------------------------------------

struct ModelNode {
    bool padding = false;
    std::vector<uint8_t> tag;
    std::vector<uint8_t> lengthField;
    std::vector<uint8_t> value;  // leaves and padding
    std::vector<ModelNode> children;
    bool constructed() const { return !padding && (tag[0] & 0x20) != 0; }
    size_t size() const {
        size_t content = 0;
        if (constructed()) {
            for (const ModelNode& child : children) {
                content += child.size();
            }
        } else {
            content = value.size();
        }
        return tag.size() + lengthField.size() + content;
    }
};

bool IsPaddingByte(uint8_t byte) {
    return byte == 0x00 || byte == 0xFF;
}

bool ModelElement(const uint8_t* at, size_t available, ModelNode* node);

// A run of elements and padding filling exactly `size` bytes.
bool ModelSequence(const uint8_t* at, size_t size, std::vector<ModelNode>* out) {
    size_t used = 0;
    while (used < size) {
        ModelNode node;
        if (IsPaddingByte(at[used])) {
            node.padding = true;
            while (used < size && IsPaddingByte(at[used])) {
                node.value.push_back(at[used++]);
            }
        } else {
            if (!ModelElement(at + used, size - used, &node)) {
                return false;
            }
            used += node.size();
        }
        out->push_back(node);
    }
    return true;
}

bool ModelElement(const uint8_t* at, size_t available, ModelNode* node) {
    size_t used = 0;
    node->tag.push_back(at[used++]);
    if ((node->tag[0] & 0x1F) == 0x1F) {
        if (used >= available) {
            return false;
        }
        node->tag.push_back(at[used++]);
    }
    if (used >= available) {
        return false;
    }
    size_t length = at[used];
    node->lengthField.push_back(at[used++]);
    if (length == 0x81) {
        if (used >= available) {
            return false;
        }
        length = at[used];
        node->lengthField.push_back(at[used++]);
    } else if (length >= 0x80) {
        return false;
    }
    if (length > available - used) {
        return false;
    }
    if (node->constructed()) {
        return ModelSequence(at + used, length, &node->children);
    }
    node->value.assign(at + used, at + used + length);
    return true;
}

// Padding may only stand next to a primitive sibling, in every template.
bool ModelPaddingPlaced(const ModelNode& node) {
    const std::vector<ModelNode>& children = node.children;
    for (size_t i = 0; i < children.size(); ++i) {
        if (children[i].constructed() && !ModelPaddingPlaced(children[i])) {
            return false;
        }
        const auto primitive = [](const ModelNode& sibling) {
            return !sibling.padding && !sibling.constructed();
        };
        if (children[i].padding && !(i > 0 && primitive(children[i - 1])) &&
            !(i + 1 < children.size() && primitive(children[i + 1]))) {
            return false;
        }
    }
    return true;
}

TlvResult ModelParse(const std::vector<uint8_t>& input, int checkPadding, ModelNode* root) {
    if (input.empty() || IsPaddingByte(input[0]) ||
        !ModelElement(input.data(), input.size(), root) || root->size() != input.size()) {
        return TLV_ERR_FORMAT;
    }
    if (checkPadding != 0 && root->constructed() && !ModelPaddingPlaced(*root)) {
        return TLV_ERR_PADDING;
    }
    return TLV_OK;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    return BytesHex(bytes);
}

void DumpModel(const ModelNode& node, std::string* out) {
    if (node.padding) {
        *out += "P" + Hex(node.value) + ";";
        return;
    }
    *out += "E" + Hex(node.tag) + "/" + Hex(node.lengthField) + "/";
    if (node.constructed()) {
        *out += "[";
        for (const ModelNode& child : node.children) {
            DumpModel(child, out);
        }
        *out += "]";
    } else {
        *out += Hex(node.value);
    }
    *out += ";";
}

// The same dump from a node tree, read through its fields; every parent link is checked.
void DumpTree(const TlvNode* node, const TlvNode* parent, std::string* out) {
    if (node->parent != parent) {
        *out += "!parent";
    }
    const uint8_t* data = static_cast<const uint8_t*>(node->data);
    if (node->isPadding != 0) {
        *out += "P" + Hex(std::vector<uint8_t>(data, data + node->valueLength)) + ";";
        return;
    }
    *out += "E" + Hex(std::vector<uint8_t>(node->tag, node->tag + node->tagLength)) + "/" +
            Hex(std::vector<uint8_t>(node->lengthBytes, node->lengthBytes + node->lengthSize)) +
            "/";
    if ((node->tag[0] & 0x20) != 0) {
        *out += "[";
        for (uint8_t i = 0; i < node->childCount; ++i) {
            DumpTree(ChildAt(node, i), node, out);
        }
        *out += "]";
    } else if (node->valueLength > 0) {
        *out += Hex(std::vector<uint8_t>(data, data + node->valueLength));
    }
    *out += ";";
}

// ---- Inputs ----------------------------------------------------------------------------------

const uint8_t kInterestingBytes[] = {0x00, 0xFF, 0x80, 0x81, 0x82, 0x7F, 0x1F, 0x20,
                                     0x5A, 0x70, 0x9F, 0xBF, 0x01, 0x02, 0xA5, 0x6F};

std::vector<uint8_t> Mutate(std::vector<uint8_t> bytes, std::mt19937* random) {
    const auto below = [random](size_t bound) {
        return bound == 0 ? 0 : static_cast<size_t>((*random)() % bound);
    };
    const size_t steps = 1 + below(4);
    for (size_t step = 0; step < steps; ++step) {
        const size_t at = below(bytes.size() + 1);
        switch (below(8)) {
            case 0:
                if (at < bytes.size()) {
                    bytes[at] = static_cast<uint8_t>(below(256));
                }
                break;
            case 1:
                if (at < bytes.size()) {
                    bytes[at] = kInterestingBytes[below(sizeof kInterestingBytes)];
                }
                break;
            case 2:
                bytes.insert(bytes.begin() + static_cast<long>(at),
                             kInterestingBytes[below(sizeof kInterestingBytes)]);
                break;
            case 3:
                if (at < bytes.size()) {
                    bytes.erase(bytes.begin() + static_cast<long>(at));
                }
                break;
            case 4:
                bytes.resize(at);
                break;
            case 5:
                if (at < bytes.size()) {
                    bytes[at] = static_cast<uint8_t>(bytes[at] + (below(2) != 0 ? 1 : -1));
                }
                break;
            case 6: {
                const size_t from = below(bytes.size());
                const size_t count = below(bytes.size() - from + 1) % 8;
                std::vector<uint8_t> slice(bytes.begin() + static_cast<long>(from),
                                           bytes.begin() + static_cast<long>(from + count));
                bytes.insert(bytes.begin() + static_cast<long>(at), slice.begin(), slice.end());
                break;
            }
            default:
                // A leaf or padding run at a random place, often after a template's end.
                if (below(2) != 0) {
                    const uint8_t leaf[] = {0x5A, 0x01, 0x42};
                    bytes.insert(bytes.begin() + static_cast<long>(at), leaf, leaf + 3);
                } else {
                    bytes.insert(bytes.begin() + static_cast<long>(at), 1 + below(3), 0x00);
                }
                break;
        }
    }
    return bytes;
}

// The seeds, then mutations of them; a fixed seed keeps every run alike.
std::vector<std::vector<uint8_t>> DifferentialInputs() {
    std::vector<std::vector<uint8_t>> inputs;
    for (const TlvSample& sample : ValidSamples()) {
        inputs.push_back(sample.bytes);
    }
    std::mt19937 random(20261208);
    const size_t seeds = inputs.size();
    for (size_t round = 0; round < 3000; ++round) {
        for (size_t seed = 0; seed < seeds; ++seed) {
            inputs.push_back(Mutate(inputs[seed], &random));
        }
    }
    return inputs;
}

TEST(Differential, ParseMatchesTheModelOnMutatedRecords) {
    size_t accepted = 0;
    size_t rejected = 0;
    for (const std::vector<uint8_t>& input : DifferentialInputs()) {
        for (int check : {1, 0}) {
            const size_t before = TlvMemLiveBlocks();
            ModelNode model;
            const TlvResult expected = ModelParse(input, check, &model);
            TlvTree tree;
            uint32_t constructed = 0;
            const TlvResult result = ParseExact(input, &tree, check, &constructed);
            ASSERT_EQ(result, expected) << BytesHex(input) << " check " << check;
            if (result != TLV_OK) {
                ASSERT_EQ(tree, nullptr);
                ASSERT_EQ(TlvMemLiveBlocks(), before) << BytesHex(input);
                ++rejected;
                continue;
            }
            ++accepted;
            std::string want;
            DumpModel(model, &want);
            std::string got;
            DumpTree(tree.get(), nullptr, &got);
            ASSERT_EQ(got, want) << BytesHex(input);
            ASSERT_EQ(constructed, model.constructed() ? 1u : 0u);
            ASSERT_EQ(Encode(tree.get(), 0), input);
            tree.reset();
            ASSERT_EQ(TlvMemLiveBlocks(), before) << BytesHex(input);
        }
    }
    // The mutations reach both outcomes in numbers, or the comparison proves little.
    EXPECT_GT(accepted, 10000u);
    EXPECT_GT(rejected, 70000u);
}

// ---- Editing parsed trees against trees built node by node --------------------------------

// Builds a copy of `node` through TlvNewElement, TlvNewPadding, TlvSetValue and TlvInsertChild.
TlvNode* BuildTwin(const TlvNode* node, TlvNode* parent) {
    TlvNode* twin = node->isPadding != 0 ? TlvNewPadding(parent)
                                         : TlvNewElement(node->tag, node->tagLength, parent);
    memcpy(twin->lengthBytes, node->lengthBytes, sizeof twin->lengthBytes);
    twin->lengthSize = node->lengthSize;
    if (node->isPadding != 0 || (node->tag[0] & 0x20) == 0) {
        EXPECT_EQ(TlvSetValue(twin, static_cast<const uint8_t*>(node->data), node->valueLength),
                  TLV_OK);
        return twin;
    }
    twin->valueLength = node->valueLength;
    for (uint8_t i = 0; i < node->childCount; ++i) {
        EXPECT_EQ(TlvInsertChild(twin, i, BuildTwin(ChildAt(node, i), twin)), TLV_OK);
    }
    return twin;
}

void CollectNodes(TlvNode* node, std::vector<TlvNode*>* nodes) {
    nodes->push_back(node);
    if (node->isPadding == 0 && (node->tag[0] & 0x20) != 0) {
        for (uint8_t i = 0; i < node->childCount; ++i) {
            CollectNodes(ChildAt(node, i), nodes);
        }
    }
}

bool Within(const TlvNode* node, const TlvNode* ancestor) {
    for (; node != nullptr; node = node->parent) {
        if (node == ancestor) {
            return true;
        }
    }
    return false;
}

// One random edit, applied alike to both trees (same shapes, so nodes match by position).
void EditBoth(TlvNode* trees[2], std::mt19937* random) {
    std::vector<TlvNode*> nodes[2];
    CollectNodes(trees[0], &nodes[0]);
    CollectNodes(trees[1], &nodes[1]);
    const size_t pick = (*random)() % nodes[0].size();
    const uint32_t operation = (*random)() % 4;
    const uint32_t argument = (*random)();
    for (int side = 0; side < 2; ++side) {
        TlvNode* node = nodes[side][pick];
        uint8_t kind = 0;
        TlvGetKind(node, &kind);
        if (kind != TLV_KIND_CONSTRUCTED) {
            uint8_t value[8];
            const uint16_t length = static_cast<uint16_t>(argument % 9);
            for (uint16_t i = 0; i < length; ++i) {
                value[i] = static_cast<uint8_t>(argument >> i);
            }
            ASSERT_EQ(TlvSetValue(node, value, length), TLV_OK);
            continue;
        }
        const uint8_t count = node->childCount;
        if (operation == 0 || count == 0) {
            static const uint8_t kTags[][2] = {{0x5A, 0}, {0x70, 0}, {0x9F, 0x02}};
            const uint8_t* tag = kTags[argument % 3];
            TlvNode* fresh = argument % 4 == 3 ? TlvNewPadding(node)
                                               : TlvNewElement(tag, tag[0] == 0x9F ? 2 : 1, node);
            const uint8_t at = static_cast<uint8_t>((argument >> 8) % (count + 1u));
            ASSERT_EQ(TlvInsertChild(node, at, fresh), TLV_OK);
            continue;
        }
        const uint8_t at = static_cast<uint8_t>((argument >> 8) % count);
        TlvNode* child = ChildAt(node, at);
        ASSERT_EQ(TlvRemoveChild(node, at), TLV_OK);
        // Either the child goes, or it moves to the end of another template outside itself.
        TlvNode* target = nullptr;
        for (size_t i = 0; operation == 2 && i < nodes[side].size(); ++i) {
            TlvNode* candidate = nodes[side][(pick + 1 + i) % nodes[side].size()];
            uint8_t candidateKind = 0;
            TlvGetKind(candidate, &candidateKind);
            if (candidateKind == TLV_KIND_CONSTRUCTED && !Within(candidate, child) &&
                candidate->childCount < 255) {
                target = candidate;
                break;
            }
        }
        if (target == nullptr) {
            TlvFree(child);
        } else {
            ASSERT_EQ(TlvAppendChild(target, child), TLV_OK);
            child->parent = target;
        }
    }
}

TEST(Differential, ParsedTreesEditLikeTreesBuiltNodeByNode) {
    std::mt19937 random(4242);
    size_t edited = 0;
    for (const std::vector<uint8_t>& input : DifferentialInputs()) {
        const size_t before = TlvMemLiveBlocks();
        TlvTree parsed;
        if (ParseExact(input, &parsed, 0) != TLV_OK || (random() % 8) != 0) {
            continue;
        }
        TlvNode* trees[2] = {parsed.release(), nullptr};
        trees[1] = BuildTwin(trees[0], nullptr);
        const uint32_t steps = 1 + random() % 6;
        for (uint32_t step = 0; step < steps; ++step) {
            EditBoth(trees, &random);
            std::string dumps[2];
            DumpTree(trees[0], nullptr, &dumps[0]);
            DumpTree(trees[1], nullptr, &dumps[1]);
            ASSERT_EQ(dumps[0], dumps[1]) << BytesHex(input) << " step " << step;
            ASSERT_EQ(Encode(trees[0], 0), Encode(trees[1], 0));
        }
        // Half the parsed trees go from the top, half child by child.
        if (random() % 2 != 0) {
            while (trees[0]->isPadding == 0 && (trees[0]->tag[0] & 0x20) != 0 &&
                   trees[0]->childCount > 0) {
                TlvNode* last = ChildAt(trees[0], trees[0]->childCount - 1);
                ASSERT_EQ(TlvRemoveChild(trees[0], trees[0]->childCount - 1), TLV_OK);
                TlvFree(last);
            }
        }
        TlvFree(trees[0]);
        TlvFree(trees[1]);
        ASSERT_EQ(TlvMemLiveBlocks(), before) << BytesHex(input);
        ++edited;
    }
    EXPECT_GT(edited, 600u);
}

}  // namespace
