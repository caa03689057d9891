// Error boxes and Yes/No questions. Everything the program asks or reports goes through the
// process-wide Prompts object, so that tests can answer without a modal dialog.
#ifndef QUORVEL_PLATFORM_PROMPTS_H
#define QUORVEL_PLATFORM_PROMPTS_H

#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

// Caption of every question.
extern const char* const kApplicationTitle;

class Prompts {
public:
    virtual ~Prompts() = default;
    // An error box with an OK button, owned by `owner`.
    virtual void ShowError(QWidget* owner, const QString& text, const QString& caption) = 0;
    // A Yes/No question captioned with the application title; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& text) = 0;
    enum Answer { kYes, kNo, kCancel };
    // A Yes/No/Cancel question captioned with the application title.
    virtual Answer AskYesNoCancel(QWidget* owner, const QString& text) = 0;
    // Files to open, or a file to save to, filtered by `filter`; empty when the user cancels.
    virtual QStringList AskOpenPaths(QWidget* owner, const QString& filter) = 0;
    virtual QString AskSavePath(QWidget* owner, const QString& suggested,
                                const QString& filter) = 0;
    // The printer set-up and print dialogs on `printer`: what the user chooses stays in it.
    // False when cancelled.
    virtual bool AskPageSetup(QWidget* owner, QPrinter* printer) = 0;
    virtual bool AskPrint(QWidget* owner, QPrinter* printer) = 0;
    // The print preview of the pages that `paint` draws on `printer`.
    virtual void ShowPrintPreview(QWidget* owner, QPrinter* printer,
                                  const std::function<void(QPrinter*)>& paint) = 0;
};

// The prompts in use; message boxes unless replaced.
Prompts* AppPrompts();
// Replaces the prompts in use (not owned); null restores the message boxes.
void SetAppPrompts(Prompts* prompts);

#endif
