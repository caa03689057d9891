// The Data Elements panel's filter field: entries whose name or tag holds the text stay, in
// every arrangement, under their groups.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "panels/dictionary_bar.h"

namespace {

// The entries shown under each group (the root itself when there are none), as
// "group: entry, entry".
QStringList Shown(QTreeWidget* tree) {
    QStringList lines;
    QTreeWidgetItem* root = tree->topLevelItem(0);
    const auto entries = [](QTreeWidgetItem* parent) {
        QStringList names;
        for (int i = 0; i < parent->childCount(); ++i) {
            if (!parent->child(i)->isHidden() && parent->child(i)->childCount() == 0 &&
                parent->child(i)->data(0, Qt::UserRole).toInt() != 0) {
                names << parent->child(i)->text(0);
            }
        }
        return names.join(", ");
    };
    bool grouped = false;
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem* group = root->child(i);
        if (group->data(0, Qt::UserRole).toInt() == 0) {
            grouped = true;
            EXPECT_FALSE(group->isHidden()) << group->text(0).toStdString();
            lines << group->text(0) + ": " + entries(group);
        }
    }
    if (!grouped) {
        lines << root->text(0) + ": " + entries(root);
    }
    return lines;
}

TEST(DictionaryFilter, KeepsMatchingNamesAndTagsUnderTheirGroups) {
    CDictionaryBar bar;
    QTest::keyClicks(bar.FilterField(), "9f4d");
    EXPECT_EQ(Shown(bar.Tree()), QStringList({"Data Elements Dictionary: Log Entry"}));

    bar.FilterField()->setText("LOG ");
    bar.OnSort(CDictionaryBar::ID_DE_SORT_TYPE);
    EXPECT_EQ(Shown(bar.Tree()), QStringList({"Constructed: ", "Primitive: Log Entry, Log Format",
                                              "Tag not defined: "}));
    bar.FilterField()->setText("bf 0c");
    EXPECT_EQ(Shown(bar.Tree()),
              QStringList({"Constructed: File Control Information(FCI) Issuer Discretionary "
                           "Data",
                           "Primitive: ", "Tag not defined: "}));
    bar.OnSort(CDictionaryBar::ID_DE_SORT_SOURCE);
    bar.FilterField()->setText("authorisation response code");
    EXPECT_EQ(
        Shown(bar.Tree()),
        QStringList({"Source by ICC: ", "Source by Terminal: Authorisation Response Code(ARC)",
                     "Source by Issuer: Authorisation Response Code(ARC)"}));

    bar.FilterField()->clear();
    bar.OnSort(CDictionaryBar::ID_DE_SORT_ALPHA);
    QTreeWidgetItem* root = bar.Tree()->topLevelItem(0);
    int shown = 0;
    for (int i = 0; i < root->childCount(); ++i) {
        shown += root->child(i)->isHidden() ? 0 : 1;
    }
    EXPECT_EQ(shown, 141);
}

TEST(DictionaryFilter, FilteringOutTheShownEntryEmptiesTheDescription) {
    CDictionaryBar bar;
    QList<int> shown;
    QObject::connect(&bar, &CDictionaryBar::entrySelected, [&shown](int index) { shown << index; });
    bar.FilterField()->setText("log entry");
    QTreeWidgetItem* root = bar.Tree()->topLevelItem(0);
    QTreeWidgetItem* entry = nullptr;
    for (int i = 0; i < root->childCount() && entry == nullptr; ++i) {
        entry = root->child(i)->isHidden() ? nullptr : root->child(i);
    }
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(0), "Log Entry");
    bar.Tree()->setCurrentItem(entry);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_NE(shown.last(), 0);
    bar.FilterField()->setText("zzz");
    EXPECT_EQ(shown.last(), 0);
    EXPECT_EQ(bar.Tree()->currentItem(), bar.Tree()->topLevelItem(0));
    // An entry that stays keeps its place.
    bar.FilterField()->clear();
    bar.Tree()->setCurrentItem(entry);
    bar.FilterField()->setText("log");
    EXPECT_EQ(bar.Tree()->currentItem(), entry);
}

TEST(DictionaryFilter, HasAClearButtonWithAnIcon) {
    CDictionaryBar bar;
    ASSERT_TRUE(bar.FilterField()->isClearButtonEnabled());
    // Qt's name for the action behind a line edit's clear button; its icon is made when drawn.
    const QAction* clear =
        bar.FilterField()->findChild<QAction*>(QStringLiteral("_q_qlineeditclearaction"));
    ASSERT_NE(clear, nullptr);
    EXPECT_FALSE(clear->icon().pixmap(QSize(16, 16)).isNull());
}

}  // namespace

namespace {

// Clearing the filter brings back the entries before the selected one: it stays in view.
TEST(DictionaryFilter, TheSelectedEntryStaysInViewWhenTheFilterClears) {
    CDictionaryBar bar;
    bar.resize(300, 300);
    bar.show();
    bar.FilterField()->setText("unpredictable");
    QTreeWidgetItem* root = bar.Tree()->topLevelItem(0);
    QTreeWidgetItem* entry = nullptr;
    for (int i = 0; i < root->childCount() && entry == nullptr; ++i) {
        if (!root->child(i)->isHidden()) {
            entry = root->child(i);
        }
    }
    ASSERT_NE(entry, nullptr);
    bar.Tree()->setCurrentItem(entry);
    bar.FilterField()->clear();
    QApplication::processEvents();
    const QRect shown = bar.Tree()->visualItemRect(entry);
    EXPECT_GE(shown.top(), 0);
    EXPECT_LE(shown.bottom(), bar.Tree()->viewport()->height()) << shown.top();
    EXPECT_EQ(bar.Tree()->currentItem(), entry);
}

}  // namespace
