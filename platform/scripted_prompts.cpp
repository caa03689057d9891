#include "platform/scripted_prompts.h"

#include <QPrinter>

ScriptedPrompts::ScriptedPrompts() {
    SetAppPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts() {
    SetAppPrompts(nullptr);
}

void ScriptedPrompts::Record(const Shown& shown) {
    history_.append(shown);
    if (observer_) {
        observer_(shown);
    }
}

void ScriptedPrompts::ShowError(QWidget*, const QString& text, const QString& caption) {
    Record({false, text, caption});
}

bool ScriptedPrompts::AskYesNo(QWidget*, const QString& text) {
    Record({true, text, QString::fromLatin1(kApplicationTitle)});
    return answers_.isEmpty() ? false : answers_.takeFirst();
}

Prompts::Answer ScriptedPrompts::AskYesNoCancel(QWidget*, const QString& text) {
    Record({true, text, QString::fromLatin1(kApplicationTitle)});
    return threeWayAnswers_.isEmpty() ? kCancel : threeWayAnswers_.takeFirst();
}

QStringList ScriptedPrompts::AskOpenPaths(QWidget*, const QString&) {
    return paths_.isEmpty() ? QStringList() : paths_.takeFirst();
}

QString ScriptedPrompts::AskSavePath(QWidget*, const QString&, const QString&) {
    return paths_.isEmpty() ? QString() : paths_.takeFirst().value(0);
}

bool ScriptedPrompts::TakePrinterChoice(const QString& name, QPrinter* printer) {
    printDialogs_.append({name, printer, printer->pageLayout()});
    if (printerChoices_.isEmpty()) {
        return false;
    }
    printerChoices_.takeFirst()(printer);
    return true;
}

bool ScriptedPrompts::AskPageSetup(QWidget*, QPrinter* printer) {
    return TakePrinterChoice(QStringLiteral("Print Setup"), printer);
}

bool ScriptedPrompts::AskPrint(QWidget*, QPrinter* printer) {
    return TakePrinterChoice(QStringLiteral("Print"), printer);
}

void ScriptedPrompts::ShowPrintPreview(QWidget*, QPrinter* printer,
                                       const std::function<void(QPrinter*)>&) {
    printDialogs_.append({QStringLiteral("Print Preview"), printer, printer->pageLayout()});
}
