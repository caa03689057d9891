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
