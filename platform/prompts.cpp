#include "platform/prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/message_box_prompts.h"

const char* const kApplicationTitle = "Quorvel BERTLV";

namespace {

Prompts* g_prompts = nullptr;

// The program's texts separate paragraphs with "\r\n"; a message box wants plain line breaks.
QString DisplayText(const QString& text) {
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

Prompts* AppPrompts() {
    static MessageBoxPrompts messageBoxes;
    return g_prompts != nullptr ? g_prompts : &messageBoxes;
}

void SetAppPrompts(Prompts* prompts) {
    g_prompts = prompts;
}

void MessageBoxPrompts::ShowError(QWidget* owner, const QString& text, const QString& caption) {
    QMessageBox::critical(owner, caption, DisplayText(text), QMessageBox::Ok);
}

bool MessageBoxPrompts::AskYesNo(QWidget* owner, const QString& text) {
    return QMessageBox::question(owner, QString::fromLatin1(kApplicationTitle), DisplayText(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

Prompts::Answer MessageBoxPrompts::AskYesNoCancel(QWidget* owner, const QString& text) {
    switch (QMessageBox::question(owner, QString::fromLatin1(kApplicationTitle), DisplayText(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return kYes;
        case QMessageBox::No:
            return kNo;
        default:
            return kCancel;
    }
}

QStringList MessageBoxPrompts::AskOpenPaths(QWidget* owner, const QString& filter) {
    const QStringList paths = QFileDialog::getOpenFileNames(owner, QString(), lastFolder_, filter);
    if (!paths.isEmpty()) {
        lastFolder_ = QFileInfo(paths.first()).absolutePath();
    }
    return paths;
}

QString MessageBoxPrompts::AskSavePath(QWidget* owner, const QString& suggested,
                                       const QString& filter) {
    // A bare name is suggested in the last folder; a document's own path stays where it is.
    const QString start = QFileInfo(suggested).isAbsolute() || lastFolder_.isEmpty()
                              ? suggested
                              : QDir(lastFolder_).filePath(suggested);
    // The caller asks before replacing a file, after refusing the paths it cannot save to.
    const QString path = QFileDialog::getSaveFileName(owner, QString(), start, filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty()) {
        lastFolder_ = QFileInfo(path).absolutePath();
    }
    return path;
}

bool MessageBoxPrompts::AskPageSetup(QWidget* owner, QPrinter* printer) {
    QPageSetupDialog dialog(printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

bool MessageBoxPrompts::AskPrint(QWidget* owner, QPrinter* printer) {
    QPrintDialog dialog(printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

void MessageBoxPrompts::ShowPrintPreview(QWidget* owner, QPrinter* printer,
                                         const std::function<void(QPrinter*)>& paint) {
    QPrintPreviewDialog preview(printer, owner);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    preview.exec();
}
