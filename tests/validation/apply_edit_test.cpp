#include "editor/edit_test_util.h"
#include "validation/error_row_list.h"

namespace {

QString Repeat(const char* pair, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QLatin1String(pair);
    }
    return text;
}

using ApplyEditTest = EditTest;

TEST_F(ApplyEditTest, ValueEditShrinksTheParent) {
    Parse("70099F0206000000000100");
    Edit(1, ELEMENT_COLUMN_VALUE, "01 23");
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_VALUE), "0123");
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_LENGTH), "02");
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_TLV), "9F02020123");
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_LENGTH), "05");
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_VALUE), "9F02020123");
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_VALUE_LENGTH), "5 bytes");
    EXPECT_EQ(RootTlv(), "70059F02020123");
    EXPECT_EQ(view_.Root()->valueLength, 5);
}

TEST_F(ApplyEditTest, DictionaryRefusalsKeepTheNode) {
    struct {
        const char* tree;
        const char* typed;
        const char* message;
    } cases[] = {
        {"70059F42020978", "09",
         "The length of Value of \"Application Currency Code\" shall be 2 !"},
        {"70045A021234", "12F4",
         "The format of Value of \"Application Primary Account Number(PAN)\" is not "
         "'CompressedNumeric' !"},
        {"BF0C0B5F540800010203040506 07", "000102030405060708",
         "The length of Value of \"Bank Identifier Code(BIC)\" shall be 8, or 11 !"},
        {"70059F05021234", "",
         "The length of Value of \"Application Discretionary Data\" shall be in the range of 1 "
         "and 32 !"},
        // What conversion would leave out is refused rather than dropped.
        {"70065F2503190101", "2OO101",
         "The Value of \"Application Effective Date\" holds 'O', which is not a hexadecimal "
         "digit !"},
        {"700650044142434 4", "41 42 G3",
         "The Value of \"Application Label\" holds 'G', which is not a hexadecimal digit !"},
        {"70045A021234", "12345",
         "The Value of \"Application Primary Account Number(PAN)\" has an odd number of "
         "hexadecimal digits !"},
    };
    for (const auto& c : cases) {
        Parse(QString::fromLatin1(c.tree));
        const QString before = RootTlv();
        const QString oldValue = Cell(1, ELEMENT_COLUMN_VALUE);
        Edit(1, ELEMENT_COLUMN_VALUE, QString::fromLatin1(c.typed));
        ASSERT_EQ(prompts_.History().size(), 1) << c.tree;
        EXPECT_EQ(prompts_.History()[0].text, c.message);
        EXPECT_EQ(prompts_.History()[0].caption, "Value Error");
        EXPECT_EQ(Cell(1, ELEMENT_COLUMN_VALUE), oldValue);
        EXPECT_EQ(Row(1)->Item(ELEMENT_COLUMN_VALUE).TextColor(), kNormalTextColor);
        EXPECT_EQ(RootTlv(), before);
    }
}

TEST_F(ApplyEditTest, PaddingValues) {
    Parse("70075A02123400FF00");
    Edit(2, ELEMENT_COLUMN_VALUE, "00 FF 00 FF");
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_EQ(Cell(2, ELEMENT_COLUMN_VALUE), "00FF00FF");
    EXPECT_EQ(RootTlv(), "70085A02123400FF00FF");
    Edit(2, ELEMENT_COLUMN_VALUE, "00 01");
    EXPECT_EQ(LastMessage(), "The Value for padding can be either '00' or 'FF' !");
    Edit(2, ELEMENT_COLUMN_VALUE, "00 F");
    EXPECT_EQ(LastMessage(), "The Value of \"padding\" has an odd number of hexadecimal digits !");
    EXPECT_EQ(Cell(2, ELEMENT_COLUMN_VALUE), "00FF00FF");
    Edit(2, ELEMENT_COLUMN_VALUE, Repeat("00", 256));
    EXPECT_EQ(LastMessage(),
              "The length of Value for padding is greater than maximum allowed 255 bytes !");
    EXPECT_EQ(RootTlv(), "70085A02123400FF00FF");
    // Padding has no length field: text typed into its "Length in" cell does not stay.
    for (const char* typed : {"hello 999", "1 byte", "2 bytes"}) {
        Edit(2, ELEMENT_COLUMN_LENGTH_IN, typed);
        EXPECT_EQ(Cell(2, ELEMENT_COLUMN_LENGTH_IN), "") << typed;
        EXPECT_EQ(RootTlv(), "70085A02123400FF00FF") << typed;
    }
}

TEST_F(ApplyEditTest, GrowingPast127SwitchesToTheLongForm) {
    Parse("718181867F" + Repeat("AB", 127));
    Edit(1, ELEMENT_COLUMN_VALUE, Repeat("AB", 128));
    EXPECT_TRUE(prompts_.History().isEmpty()) << LastMessage().toStdString();
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_LENGTH_IN), "2 bytes");
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_LENGTH), "8180");
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_LENGTH), "8183");
    EXPECT_EQ(view_.Root()->valueLength, 0x83);
}

TEST_F(ApplyEditTest, LengthFormChoices) {
    Parse("77085A81051234567890");
    Edit(1, ELEMENT_COLUMN_LENGTH_IN, "1 byte");
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_LENGTH), "05");
    EXPECT_EQ(RootTlv(), "77075A051234567890");
    Edit(1, ELEMENT_COLUMN_LENGTH_IN, "2 bytes");
    EXPECT_EQ(RootTlv(), "77085A81051234567890");

    Parse("718181867F" + Repeat("00", 127));
    Edit(0, ELEMENT_COLUMN_LENGTH_IN, "1 byte");
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text,
              "The Length of Value is over 127 bytes !\r\n\r\nOnly 2 bytes length representation "
              "is available.");
    EXPECT_EQ(prompts_.History()[0].caption, "Length Error");
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_LENGTH_IN), "2 bytes");
    EXPECT_EQ(view_.Root()->lengthSize, 2);
}

TEST_F(ApplyEditTest, FailingAncestorTurnsRedUntilItFitsAgain) {
    // BF0C may hold at most 222 bytes: 5F50 81 DA and 218 bytes fill it exactly.
    Parse("BF0C81DE5F5081DA" + Repeat("41", 218));
    Edit(1, ELEMENT_COLUMN_VALUE, Repeat("41", 219));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text,
              "The length of Value of \"File Control Information(FCI) Issuer Discretionary Data\" "
              "shall be in the range of 0 and 222 !");
    EXPECT_EQ(Row(0)->Item(ELEMENT_COLUMN_NAME).TextColor(), kErrorTextColor);
    EXPECT_EQ(Row(1)->Item(ELEMENT_COLUMN_VALUE).TextColor(), kErrorTextColor);
    EXPECT_EQ(Row(1)->Item(ELEMENT_COLUMN_NAME).TextColor(), kNormalTextColor);
    EXPECT_EQ(view_.Root()->valueLength, 223);
    ASSERT_EQ(view_.Errors()->Entries().size(), 1);

    Edit(1, ELEMENT_COLUMN_VALUE, Repeat("41", 200));
    EXPECT_EQ(Row(0)->Item(ELEMENT_COLUMN_NAME).TextColor(), kNormalTextColor);
    EXPECT_EQ(Row(1)->Item(ELEMENT_COLUMN_VALUE).TextColor(), kNormalTextColor);
    EXPECT_TRUE(view_.Errors()->Entries().isEmpty());
}

TEST_F(ApplyEditTest, CellsMarkedForAnAncestorTurnBlackWhenItPassesThroughAnotherBranch) {
    // 6F{84, A5{9F4B}}: 6F may hold at most 252 bytes.
    Parse("6F18841000112233445566778899AABBCCDDEEFFA5049F4B0100");
    ASSERT_EQ(Cell(3, ELEMENT_COLUMN_TAG), "9F4B");
    Edit(3, ELEMENT_COLUMN_VALUE, Repeat("00", 230));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_VALUE_LENGTH), "255 bytes");
    EXPECT_EQ(Row(0)->Item(ELEMENT_COLUMN_NAME).TextColor(), kErrorTextColor);
    EXPECT_EQ(Row(3)->Item(ELEMENT_COLUMN_VALUE).TextColor(), kErrorTextColor);

    // Shrinking 84 brings 6F back within its range: nothing on the path of 9F4B fails now.
    prompts_.Clear();
    Edit(1, ELEMENT_COLUMN_VALUE, "A000000003");
    EXPECT_TRUE(prompts_.History().isEmpty()) << LastMessage().toStdString();
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_VALUE_LENGTH), "244 bytes");
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
            EXPECT_EQ(Row(row)->Item(column).TextColor(), kNormalTextColor) << row << column;
        }
    }
    EXPECT_TRUE(view_.Errors()->Entries().isEmpty());
}

TEST_F(ApplyEditTest, CellsStayRedWhileAnythingOnTheirPathFails) {
    // Two children of 6F grown past its range; shrinking one of them is not enough.
    Parse("6F0CA5049F4B0100A5049F4B0100");
    Edit(2, ELEMENT_COLUMN_VALUE, Repeat("00", 124));
    Edit(4, ELEMENT_COLUMN_VALUE, Repeat("00", 120));
    ASSERT_EQ(Cell(0, ELEMENT_COLUMN_VALUE_LENGTH), "254 bytes");
    Edit(2, ELEMENT_COLUMN_VALUE, Repeat("00", 123));
    ASSERT_EQ(Cell(0, ELEMENT_COLUMN_VALUE_LENGTH), "253 bytes");
    EXPECT_EQ(Row(0)->Item(ELEMENT_COLUMN_NAME).TextColor(), kErrorTextColor);
    EXPECT_EQ(Row(2)->Item(ELEMENT_COLUMN_VALUE).TextColor(), kErrorTextColor);
    EXPECT_EQ(Row(4)->Item(ELEMENT_COLUMN_VALUE).TextColor(), kErrorTextColor);

    Edit(2, ELEMENT_COLUMN_VALUE, "00");
    EXPECT_EQ(Row(0)->Item(ELEMENT_COLUMN_NAME).TextColor(), kNormalTextColor);
    EXPECT_EQ(Row(2)->Item(ELEMENT_COLUMN_VALUE).TextColor(), kNormalTextColor);
    EXPECT_EQ(Row(4)->Item(ELEMENT_COLUMN_VALUE).TextColor(), kNormalTextColor);
    EXPECT_TRUE(view_.Errors()->Entries().isEmpty());
}

TEST_F(ApplyEditTest, NothingAbove255BytesIsEverWritten) {
    // A terminal element is only fitted by the dictionary: the limit stops it.
    Parse("9F4E0141");
    Edit(0, ELEMENT_COLUMN_VALUE, Repeat("41", 256));
    EXPECT_EQ(LastMessage(),
              "The length of Value of \"Merchant Name and Location\" exceeds the maximum of 255 "
              "bytes !");
    EXPECT_EQ(prompts_.History().last().caption, "Value Error");
    EXPECT_EQ(RootTlv(), "9F4E0141");

    // A value that fits its element but not its template is refused before anything changes.
    Parse("718181867F" + Repeat("00", 127));
    Edit(1, ELEMENT_COLUMN_VALUE, Repeat("00", 253));
    EXPECT_EQ(LastMessage(),
              "The length of Value of \"Issuer Script Template 1\" would exceed the maximum of "
              "255 bytes !");
    EXPECT_EQ(prompts_.History().last().caption, "Length Error");
    EXPECT_EQ(view_.Root()->valueLength, 0x81);
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_VALUE), Repeat("00", 127));

    // In a full template even one more length byte does not fit.
    Parse(
        "7181FF86050000000000"
        "8681F5" +
        Repeat("00", 245));
    Edit(1, ELEMENT_COLUMN_LENGTH_IN, "2 bytes");
    EXPECT_EQ(LastMessage(),
              "The length of Value of \"Issuer Script Template 1\" would exceed the maximum of "
              "255 bytes !");
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_LENGTH_IN), "1 byte");
    EXPECT_EQ(view_.Root()->valueLength, 255);
}

TEST_F(ApplyEditTest, UnknownTagsAreStoredAndCarriedUp) {
    Parse("70049F7F0100");
    Edit(1, ELEMENT_COLUMN_VALUE, "112233");
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_EQ(RootTlv(), "70069F7F03112233");
    Edit(1, ELEMENT_COLUMN_LENGTH_IN, "2 bytes");
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_LENGTH), "8103");
    EXPECT_EQ(RootTlv(), "70079F7F8103112233");
}

}  // namespace
