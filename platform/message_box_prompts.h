// Prompts shown as modal message boxes and file dialogs. The file dialogs start in the folder the
// last one ended in, as the program's own working folder would follow them.
#ifndef QUORVEL_PLATFORM_MESSAGE_BOX_PROMPTS_H
#define QUORVEL_PLATFORM_MESSAGE_BOX_PROMPTS_H

#include <QString>

#include "platform/prompts.h"

class MessageBoxPrompts : public Prompts {
public:
    void ShowError(QWidget* owner, const QString& text, const QString& caption) override;
    bool AskYesNo(QWidget* owner, const QString& text) override;
    Answer AskYesNoCancel(QWidget* owner, const QString& text) override;
    QStringList AskOpenPaths(QWidget* owner, const QString& filter) override;
    QString AskSavePath(QWidget* owner, const QString& suggested, const QString& filter) override;
    bool AskPageSetup(QWidget* owner, QPrinter* printer) override;
    bool AskPrint(QWidget* owner, QPrinter* printer) override;
    void ShowPrintPreview(QWidget* owner, QPrinter* printer,
                          const std::function<void(QPrinter*)>& paint) override;

private:
    QString lastFolder_;
};

#endif
