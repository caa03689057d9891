// Random sequences of structure commands and value edits must always leave a tree whose
// lengths agree everywhere and whose encoding parses back to the same bytes.
#include <random>

#include "editor/edit_test_util.h"
#include "editor/menu_slots.h"
#include "support/tlv_samples.h"

namespace {

// Checks every invariant of the node tree below `node`; returns the node's encoded size.
uint32_t CheckNode(const TlvNode* node, const TlvNode* parent) {
    EXPECT_EQ(node->parent, parent);
    EXPECT_LE(node->valueLength, 255);
    if (node->isPadding != 0) {
        const uint8_t* bytes = static_cast<const uint8_t*>(node->data);
        for (uint16_t i = 0; i < node->valueLength; ++i) {
            EXPECT_TRUE(bytes[i] == 0x00 || bytes[i] == 0xFF);
        }
        return node->valueLength;
    }
    if (node->lengthSize == 1) {
        EXPECT_LT(node->valueLength, 128);
        EXPECT_EQ(node->lengthBytes[0], node->valueLength);
    } else {
        EXPECT_EQ(node->lengthSize, 2);
        EXPECT_EQ(node->lengthBytes[0], 0x81);
        EXPECT_EQ(node->lengthBytes[1], node->valueLength);
    }
    if ((node->tag[0] & 0x20) != 0) {
        uint32_t sum = 0;
        for (uint8_t i = 0; i < node->childCount; ++i) {
            TlvNode* child = nullptr;
            EXPECT_EQ(TlvGetChild(node, i, &child, nullptr), TLV_OK);
            sum += CheckNode(child, node);
        }
        EXPECT_EQ(sum, node->valueLength);
    }
    return node->tagLength + node->lengthSize + node->valueLength;
}

std::vector<uint8_t> EncodeTree(const TlvNode* root) {
    uint8_t buffer[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    EXPECT_EQ(TlvEncode(buffer, root, &length, 0), TLV_OK);
    return std::vector<uint8_t>(buffer, buffer + length);
}

class StructureProperty : public EditTest, public ::testing::WithParamInterface<unsigned> {
protected:
    int RandomCommand(std::mt19937* random, const QStringList& path) {
        const QList<int> ids = Commands(path);
        return ids.isEmpty() ? 0 : ids[static_cast<int>((*random)() % ids.size())];
    }

    QString RandomHex(std::mt19937* random, bool padding) {
        const int length = static_cast<int>((*random)() % 40);
        QString text;
        for (int i = 0; i < length; ++i) {
            const unsigned byte = padding ? ((*random)() % 2 ? 0xFF : 0x00) : (*random)() % 256;
            text += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0'));
        }
        return text;
    }
};

TEST_P(StructureProperty, EveryStepKeepsTheTreeWhole) {
    std::mt19937 random(GetParam());
    for (int step = 0; step < 250; ++step) {
        prompts_.QueueAnswer(true);
        if (view_.Root() == nullptr) {
            view_.OnCreateRoot(RandomCommand(&random, {"Create", "Constructed"}));
            continue;
        }
        int rowCount = 0;
        while (Row(rowCount) != nullptr) {
            ++rowCount;
        }
        const int row = static_cast<int>(random() % rowCount);
        Select(row, ELEMENT_COLUMN_NAME);
        const TlvNode* node = static_cast<const TlvNode*>(Row(row)->Data());
        switch (random() % 6) {
            case 0:
                view_.OnDataElementCommand(random() % 4 == 0
                                               ? ID_DE_ADD_PADDING
                                               : RandomCommand(&random, {"Add", "Primitive"}));
                break;
            case 1:
                view_.OnDataElementCommand(RandomCommand(&random, {"Insert Above", "Primitive"}));
                break;
            case 2:
                view_.OnDataElementCommand(
                    random() % 3 == 0 ? ID_DE_INSERT_PADDING_BELOW
                                      : RandomCommand(&random, {"Insert Below", "Constructed"}));
                break;
            case 3:
                if (random() % 4 == 0) {
                    view_.OnDeleteElement();
                }
                break;
            case 4:
                if ((node->tag[0] & 0x20) == 0) {
                    Edit(row, ELEMENT_COLUMN_VALUE, RandomHex(&random, node->isPadding != 0));
                }
                break;
            default:
                if (node->isPadding == 0) {
                    Edit(row, ELEMENT_COLUMN_LENGTH_IN, random() % 2 ? "1 byte" : "2 bytes");
                }
                break;
        }
        if (view_.Root() == nullptr) {
            continue;
        }
        CheckNode(view_.Root(), nullptr);
        const std::vector<uint8_t> bytes = EncodeTree(view_.Root());
        TlvNode* reparsed = nullptr;
        uint32_t constructed = 0;
        ASSERT_EQ(TlvParseEx(bytes.data(), static_cast<uint16_t>(bytes.size()), &reparsed,
                             &constructed, 0),
                  TLV_OK)
            << "step " << step << ": " << BytesHex(bytes);
        EXPECT_EQ(EncodeTree(reparsed), bytes);
        TlvFree(reparsed);
        ASSERT_FALSE(HasFailure()) << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, StructureProperty, ::testing::Values(1u, 7u, 2026u));

}  // namespace
