// A Prompts double for tests: records every text and answers questions from a queue.
#ifndef QUORVEL_PLATFORM_SCRIPTED_PROMPTS_H
#define QUORVEL_PLATFORM_SCRIPTED_PROMPTS_H

#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/prompts.h"

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        bool question;
        QString text;
        QString caption;
    };

    // Installs itself as the prompts in use for its lifetime.
    ScriptedPrompts();
    ~ScriptedPrompts() override;

    void ShowError(QWidget* owner, const QString& text, const QString& caption) override;
    // Takes the next queued answer; a question nobody scripted is answered No.
    bool AskYesNo(QWidget* owner, const QString& text) override;
    // Takes the next queued three-way answer; unscripted ones are answered Cancel.
    Answer AskYesNoCancel(QWidget* owner, const QString& text) override;
    // Take the next queued path; unscripted ones are cancelled (empty).
    QStringList AskOpenPaths(QWidget* owner, const QString& filter) override;
    QString AskSavePath(QWidget* owner, const QString& suggested, const QString& filter) override;
    // Print dialogs take the next queued choice, made on the printer, and are accepted;
    // unscripted ones are cancelled. The preview paints nothing.
    bool AskPageSetup(QWidget* owner, QPrinter* printer) override;
    bool AskPrint(QWidget* owner, QPrinter* printer) override;
    void ShowPrintPreview(QWidget* owner, QPrinter* printer,
                          const std::function<void(QPrinter*)>& paint) override;

    // A print dialog as it opened: "Print Setup", "Print" or "Print Preview", the printer it
    // worked on, and that printer's page layout at that moment.
    struct PrintDialog {
        QString name;
        QPrinter* printer;
        QPageLayout layout;
    };
    using PrinterChoice = std::function<void(QPrinter*)>;

    void QueueAnswer(bool yes) { answers_.append(yes); }
    void QueueThreeWayAnswer(Answer answer) { threeWayAnswers_.append(answer); }
    void QueuePath(const QString& path) { paths_.append(QStringList{path}); }
    // The files chosen at once in the next open dialog.
    void QueuePaths(const QStringList& paths) { paths_.append(paths); }
    void QueuePrinterChoice(const PrinterChoice& choice) { printerChoices_.append(choice); }
    const QList<PrintDialog>& PrintDialogs() const { return printDialogs_; }
    const QList<Shown>& History() const { return history_; }
    void Clear() { history_.clear(); }
    // Called with every text as it is shown, while the program waits for the answer.
    void OnShown(const std::function<void(const Shown&)>& observer) { observer_ = observer; }

private:
    void Record(const Shown& shown);

    std::function<void(const Shown&)> observer_;
    QList<bool> answers_;
    QList<Answer> threeWayAnswers_;
    QList<QStringList> paths_;
    QList<Shown> history_;
    QList<PrinterChoice> printerChoices_;
    QList<PrintDialog> printDialogs_;

    bool TakePrinterChoice(const QString& name, QPrinter* printer);
};

#endif
