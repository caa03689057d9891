// A view with scripted prompts for editing tests, and helpers to reach rows and menu items.
#ifndef QUORVEL_TESTS_EDITOR_EDIT_TEST_UTIL_H
#define QUORVEL_TESTS_EDITOR_EDIT_TEST_UTIL_H

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

#include "dictionary/element_row.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "editor/view_fakes.h"
#include "platform/scripted_prompts.h"
#include "support/qt_printers.h"

class EditTest : public ::testing::Test {
protected:
    EditTest() { view_.SetDocument(&document_); }

    void Parse(const QString& hex) {
        view_.Pane()->setPlainText(hex);
        if (view_.Grid()->GetRow(0) != nullptr) {
            prompts_.QueueAnswer(true);
        }
        view_.OnParse();
        prompts_.Clear();
        document_.modified_ = false;
    }

    GridRow* Row(int index) { return view_.Grid()->GetRow(index); }
    QString Cell(int row, int column) { return Row(row)->Item(column).Value(); }
    QString RootTlv() { return Cell(0, ELEMENT_COLUMN_TLV); }

    // Types `text` into a cell and lets the view apply it.
    void Edit(int row, int column, const QString& text) {
        const GridItem cell = Row(row)->Item(column);
        cell.SetValue(text);
        view_.ApplyEditToCell(cell, column);
    }

    void Select(int row, int column) { view_.Grid()->SelectItem(Row(row)->Item(column)); }

    // Texts of a menu's items, "-" for separators.
    static QStringList Items(QMenu* menu) {
        QStringList items;
        for (QAction* action : menu->actions()) {
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return items;
    }

    static QMenu* Submenu(QMenu* menu, const QString& title) {
        for (QAction* action : menu->actions()) {
            if (action->menu() != nullptr && action->text() == title) {
                return action->menu();
            }
        }
        return nullptr;
    }

    // The submenu reached by following the titles of `path` from the view's menu, if any.
    QMenu* MenuAt(const QStringList& path) {
        QMenu* menu = view_.DataElementMenu();
        for (const QString& title : path) {
            menu = menu != nullptr ? Submenu(menu, title) : nullptr;
        }
        return menu;
    }

    // The commands of the items (not submenus, not separators) of the submenu at `path`.
    QList<int> Commands(const QStringList& path) {
        QList<int> ids;
        QMenu* menu = MenuAt(path);
        for (QAction* action : menu != nullptr ? menu->actions() : QList<QAction*>()) {
            if (!action->isSeparator() && action->menu() == nullptr) {
                ids << action->data().toInt();
            }
        }
        return ids;
    }

    // The command of the item whose label starts with `prefix`, following the titles of
    // `path` from the view's menu; 0 when there is none.
    int Command(const QStringList& path, const QString& prefix) {
        QMenu* menu = MenuAt(path);
        if (menu == nullptr) {
            return 0;
        }
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(prefix)) {
                return action->data().toInt();
            }
        }
        return 0;
    }

    QString LastMessage() {
        return prompts_.History().isEmpty() ? QString() : prompts_.History().last().text;
    }

    ScriptedPrompts prompts_;
    FakeDocument document_;
    COrdaView view_;
};

#endif
