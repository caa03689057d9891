#include <QFontDatabase>
#include <QTest>

#include "editor/edit_test_util.h"
#include "editor/menu_slots.h"
#include "support/active_window.h"

namespace {

using StructureTest = EditTest;

const char kAefLabel[] = "70     Application Elementary File (AEF) Data Template";

TEST_F(StructureTest, EmptyGridOffersCreate) {
    EXPECT_EQ(Items(view_.DataElementMenu()), QStringList({"Create"}));
    QMenu* create = Submenu(view_.DataElementMenu(), "Create");
    EXPECT_EQ(Items(create), QStringList({"Constructed", "-", "Primitive"}));
    const QStringList constructed = Items(Submenu(create, "Constructed"));
    EXPECT_EQ(constructed.value(0), kAefLabel);
    EXPECT_EQ(constructed.value(1), "-");
    EXPECT_EQ(constructed.value(2), "61     Application Template");
    EXPECT_EQ(constructed.last(), "77     Response Message Template Format 2");
    const QStringList primitive = Items(Submenu(create, "Primitive"));
    EXPECT_EQ(primitive.value(0), "9F26   Application Cryptogram(AC)");
    EXPECT_EQ(primitive.last(), "9F23   Upper Consecutive Offline Limit(UCOL)");
    for (const QString& item : constructed + primitive) {
        EXPECT_FALSE(item.startsWith("9F02")) << item.toStdString();
    }
    EXPECT_EQ(view_.SlotTable(MENU_KIND_CREATE).count,
              static_cast<uint32_t>(constructed.size() - 1 + primitive.size()));
    // The tags line up only in the system's fixed font (whichever font the machine maps it to).
    EXPECT_EQ(Submenu(create, "Primitive")->font().family(),
              QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
}

TEST_F(StructureTest, CreateMakesTheRoot) {
    view_.OnCreateRoot(Command({"Create", "Constructed"}, "70 "));
    EXPECT_EQ(RootTlv(), "7000");
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_LENGTH_IN), "1 byte");
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_LENGTH), "00");
    EXPECT_TRUE(document_.modified_);
    EXPECT_TRUE(view_.DataElementMenu()->isEmpty());
}

TEST_F(StructureTest, MenusFollowTheSelectedElement) {
    Parse("700B5A021234A5058801015000");
    Select(0, ELEMENT_COLUMN_NAME);
    EXPECT_EQ(Items(view_.DataElementMenu()), QStringList({"Add", "-", "Delete"}));
    const QStringList add = Items(Submenu(view_.DataElementMenu(), "Add"));
    EXPECT_EQ(add, QStringList({"Constructed", "-", "Primitive", "-", "Padding"}));
    EXPECT_EQ(Items(Submenu(Submenu(view_.DataElementMenu(), "Add"), "Constructed")),
              QStringList({"61     Application Template"}));

    Select(1, ELEMENT_COLUMN_NAME);
    EXPECT_EQ(Items(view_.DataElementMenu()),
              QStringList({"Insert Above", "Insert Below", "-", "Delete"}));
    Select(2, ELEMENT_COLUMN_NAME);
    EXPECT_EQ(Items(view_.DataElementMenu()),
              QStringList({"Add", "-", "Insert Above", "Insert Below", "-", "Delete"}));
    EXPECT_EQ(Items(Submenu(view_.DataElementMenu(), "Add")).last(), "Padding");

    // Only the Data Element column prepares the menu and allows Delete.
    Select(1, ELEMENT_COLUMN_VALUE);
    EXPECT_FALSE(view_.OnUpdateDeleteElement());
    QAction* remove = view_.DataElementMenu()->actions().last();
    EXPECT_EQ(remove->data().toInt(), ID_DE_DELETE);
    EXPECT_FALSE(remove->isEnabled());
    Select(1, ELEMENT_COLUMN_NAME);
    EXPECT_TRUE(view_.OnUpdateDeleteElement());
}

TEST_F(StructureTest, AddingADuplicateAsksFirst) {
    Parse("70045A021234");
    Select(0, ELEMENT_COLUMN_NAME);
    const int pan = Command({"Add", "Primitive"}, "5A ");
    ASSERT_NE(pan, 0);
    view_.OnAddChild(pan);
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text,
              "Data Element \"Application Primary Account Number(PAN)\" is already exist in "
              "\"Application Elementary File (AEF) Data Template\".\r\n\r\nDo you want to add "
              "already existing one?");
    EXPECT_EQ(RootTlv(), "70045A021234");

    prompts_.QueueAnswer(true);
    view_.OnAddChild(pan);
    EXPECT_EQ(RootTlv(), "70065A0212345A00");
    EXPECT_TRUE(document_.modified_);
}

TEST_F(StructureTest, DuplicateSearchCoversTheWholeSubtree) {
    Parse("700661045A021234");
    Select(0, ELEMENT_COLUMN_NAME);
    view_.OnAddChild(Command({"Add", "Primitive"}, "5A "));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(RootTlv(), "700661045A021234");
}

TEST_F(StructureTest, InsertAboveTheFirstAndBelowTheLast) {
    Parse("70075A0212349F3400");
    Select(1, ELEMENT_COLUMN_NAME);
    view_.OnInsertAbove(Command({"Insert Above", "Primitive"}, "5F24 "));
    EXPECT_EQ(RootTlv(), "700A5F24005A0212349F3400");
    Select(3, ELEMENT_COLUMN_NAME);
    view_.OnInsertBelow(Command({"Insert Below", "Primitive"}, "57 "));
    EXPECT_EQ(RootTlv(), "700C5F24005A0212349F34005700");
    Select(2, ELEMENT_COLUMN_NAME);
    view_.OnInsertPadding(ID_DE_INSERT_PADDING_BELOW);
    EXPECT_EQ(Cell(3, ELEMENT_COLUMN_NAME), "padding");
    EXPECT_EQ(RootTlv(), "700C5F24005A0212349F34005700");
}

TEST_F(StructureTest, AddPaddingAppendsAnEmptyRun) {
    Parse("70045A021234");
    Select(0, ELEMENT_COLUMN_NAME);
    view_.OnInsertPadding(ID_DE_ADD_PADDING);
    EXPECT_EQ(Cell(2, ELEMENT_COLUMN_NAME), "padding");
    EXPECT_EQ(Cell(2, ELEMENT_COLUMN_VALUE), "");
    EXPECT_EQ(Cell(2, ELEMENT_COLUMN_VALUE_LENGTH), "0 bytes");
}

TEST_F(StructureTest, DeleteAsksByKind) {
    struct {
        const char* tree;
        int row;
        const char* question;
        const char* after;
    } cases[] = {
        {"70075A02123400FF00", 2, "Do you want to delete a padding ?", "70045A021234"},
        {"70075A02123400FF00", 1,
         "Do you want to delete a primitive data element \"Application Primary Account "
         "Number(PAN)\" ?",
         "700300FF00"},
        {"70046100A500", 1,
         "Do you want to delete a constructed data element \"Application Template\" ?", "7002A500"},
        {"70046102A500", 1,
         "Do you want to delete a constructed data element \"Application Template\" and all of "
         "its children ?",
         "7000"},
    };
    for (const auto& c : cases) {
        Parse(QString::fromLatin1(c.tree));
        Select(c.row, ELEMENT_COLUMN_NAME);
        view_.OnDeleteElement();
        ASSERT_EQ(prompts_.History().size(), 1);
        EXPECT_EQ(prompts_.History()[0].text, c.question);
        EXPECT_EQ(RootTlv(), c.tree);
        prompts_.QueueAnswer(true);
        Select(c.row, ELEMENT_COLUMN_NAME);
        view_.OnDeleteElement();
        EXPECT_EQ(RootTlv(), c.after);
    }
}

TEST_F(StructureTest, DeletingTheRootOffersCreateAgain) {
    Parse("70045A021234");
    Select(0, ELEMENT_COLUMN_NAME);
    prompts_.QueueAnswer(true);
    view_.OnDeleteElement();
    EXPECT_EQ(view_.Root(), nullptr);
    EXPECT_EQ(Row(0), nullptr);
    EXPECT_EQ(Items(view_.DataElementMenu()), QStringList({"Create"}));
    EXPECT_TRUE(document_.modified_);
}

TEST_F(StructureTest, ClearingParseOffersCreate) {
    Parse("70045A021234");
    view_.Pane()->setPlainText("ZZ");
    prompts_.QueueAnswer(true);
    view_.OnParse();
    EXPECT_EQ(Row(0), nullptr);
    EXPECT_EQ(Items(view_.DataElementMenu()), QStringList({"Create"}));
}

TEST_F(StructureTest, LongLengthFormStaysAfterADelete) {
    QString tree = "707E";
    for (int i = 0; i < 42; ++i) {
        tree += "5A0100";
    }
    Parse(tree);
    Select(0, ELEMENT_COLUMN_NAME);
    prompts_.QueueAnswer(true);
    view_.OnAddChild(Command({"Add", "Primitive"}, "5A "));
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_LENGTH), "8180");
    Select(1, ELEMENT_COLUMN_NAME);
    prompts_.QueueAnswer(true);
    view_.OnDeleteElement();
    EXPECT_EQ(Cell(0, ELEMENT_COLUMN_LENGTH), "817D");
}

TEST_F(StructureTest, TemplatesThatCannotGrowRefuse) {
    QString full = "7081FF";
    for (int i = 0; i < 85; ++i) {
        full += "5A0100";
    }
    Parse(full);
    Select(0, ELEMENT_COLUMN_NAME);
    view_.OnInsertPadding(ID_DE_ADD_PADDING);
    EXPECT_TRUE(prompts_.History().isEmpty());
    Select(0, ELEMENT_COLUMN_NAME);
    view_.OnAddChild(Command({"Add", "Primitive"}, "5A "));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(LastMessage(),
              "The length of Value of \"Application Elementary File (AEF) Data Template\" would "
              "exceed the maximum of 255 bytes !");
    EXPECT_EQ(prompts_.History().last().caption, "Length Error");
    EXPECT_EQ(view_.Root()->childCount, 86);

    // 255 empty paddings fill the child array without any content.
    Parse("7000");
    for (int i = 0; i < 255; ++i) {
        Select(0, ELEMENT_COLUMN_NAME);
        view_.OnInsertPadding(ID_DE_ADD_PADDING);
    }
    EXPECT_EQ(view_.Root()->childCount, 255);
    prompts_.Clear();
    Select(0, ELEMENT_COLUMN_NAME);
    view_.OnInsertPadding(ID_DE_ADD_PADDING);
    EXPECT_EQ(LastMessage(),
              "The template \"Application Elementary File (AEF) Data Template\" already holds 255 "
              "data elements !");
    EXPECT_EQ(view_.Root()->childCount, 255);
}

TEST_F(StructureTest, EditMenuImportsTheSameCommands) {
    Parse("70045A021234");
    Select(1, ELEMENT_COLUMN_NAME);
    const int above = Command({"Insert Above", "Primitive"}, "5F24 ");
    view_.OnDataElementCommand(above);
    EXPECT_EQ(RootTlv(), "70075F24005A021234");
    Select(1, ELEMENT_COLUMN_NAME);
    EXPECT_EQ(Command({}, "Delete"), ID_DE_DELETE);
}

TEST_F(StructureTest, CreateIsOfferedOnlyWhileTheGridIsEmpty) {
    const int aef = Command({"Create", "Constructed"}, "70 ");
    ASSERT_NE(aef, 0);
    for (const char* tree : {"5A021234", "70045A021234"}) {
        Parse(tree);
        EXPECT_TRUE(view_.DataElementMenu()->isEmpty()) << tree;
        // A Create command from a menu shown before the rows came leaves them alone.
        view_.OnDataElementCommand(aef);
        EXPECT_EQ(RootTlv(), QString::fromLatin1(tree));
        EXPECT_FALSE(document_.modified_);
    }
}

TEST_F(StructureTest, ElementCommandsActOnlyOnTheElementTheMenuWasBuiltFor) {
    // 6F{84, A5{88}}: the menu is built for 88, then the Value cell of 84 is selected.
    Parse("6F0B8404A0000000A503880102");
    Select(3, ELEMENT_COLUMN_NAME);
    const int label = Command({"Insert Above", "Primitive"}, "50 ");
    ASSERT_NE(label, 0);
    const auto popup = [this](const char* title) {
        return Submenu(view_.DataElementMenu(), QString::fromLatin1(title))->menuAction();
    };
    EXPECT_TRUE(popup("Insert Above")->isEnabled());
    Select(1, ELEMENT_COLUMN_VALUE);
    EXPECT_FALSE(popup("Insert Above")->isEnabled());
    EXPECT_FALSE(popup("Insert Below")->isEnabled());
    view_.OnDataElementCommand(label);
    view_.OnDataElementCommand(ID_DE_INSERT_PADDING_BELOW);
    EXPECT_EQ(RootTlv(), "6F0B8404A0000000A503880102");

    // Another row's Data Element cell rebuilds the menu for that row; the same row's Value
    // cell disables the commands until its Data Element cell is selected again.
    Select(2, ELEMENT_COLUMN_NAME);
    const int padding = ID_DE_ADD_PADDING;
    Select(2, ELEMENT_COLUMN_TAG);
    EXPECT_FALSE(popup("Add")->isEnabled());
    view_.OnDataElementCommand(padding);
    EXPECT_EQ(RootTlv(), "6F0B8404A0000000A503880102");
    Select(2, ELEMENT_COLUMN_NAME);
    EXPECT_TRUE(popup("Add")->isEnabled());
    view_.OnDataElementCommand(padding);
    EXPECT_EQ(Cell(4, ELEMENT_COLUMN_NAME), "padding");
}

TEST_F(StructureTest, ShiftF10OpensTheMenuFromTheKeyboard) {
    view_.resize(800, 600);
    ASSERT_TRUE(ShowActive(&view_));
    Parse("70045A021234");
    Select(1, ELEMENT_COLUMN_NAME);
    view_.Grid()->setFocus();
    QTest::keyClick(view_.Grid(), Qt::Key_F10, Qt::ShiftModifier);
    QMenu* menu = view_.DataElementMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(Items(menu), QStringList({"Insert Above", "Insert Below", "-", "Delete"}));
    // Opened at the current cell, on the view's screen.
    const QRect cell = view_.Grid()->visualRect(view_.Grid()->currentIndex());
    EXPECT_EQ(menu->pos(), view_.Grid()->viewport()->mapToGlobal(cell.center()));
    menu->hide();
}

TEST_F(StructureTest, DeleteCarriesItsPrompt) {
    Parse("70045A021234");
    Select(1, ELEMENT_COLUMN_NAME);
    QAction* remove = view_.DataElementMenu()->actions().last();
    ASSERT_EQ(remove->data().toInt(), ID_DE_DELETE);
    EXPECT_EQ(remove->statusTip(), "Delete Data Elementt");
    EXPECT_EQ(remove->toolTip(), "Delete");
}

}  // namespace
