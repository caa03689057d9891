#include "platform/scripted_prompts.h"

ScriptedPrompts::ScriptedPrompts() {
    SetAppPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts() {
    SetAppPrompts(nullptr);
}

void ScriptedPrompts::ShowError(QWidget*, const QString& text, const QString& caption) {
    history_.append({false, text, caption});
}

bool ScriptedPrompts::AskYesNo(QWidget*, const QString& text) {
    history_.append({true, text, QString::fromLatin1(kApplicationTitle)});
    return answers_.isEmpty() ? false : answers_.takeFirst();
}

Prompts::Answer ScriptedPrompts::AskYesNoCancel(QWidget*, const QString& text) {
    history_.append({true, text, QString::fromLatin1(kApplicationTitle)});
    return threeWayAnswers_.isEmpty() ? kCancel : threeWayAnswers_.takeFirst();
}

QString ScriptedPrompts::AskOpenPath(QWidget*, const QString&) {
    return paths_.isEmpty() ? QString() : paths_.takeFirst();
}

QString ScriptedPrompts::AskSavePath(QWidget*, const QString&, const QString&) {
    return paths_.isEmpty() ? QString() : paths_.takeFirst();
}
