#include "app/file_drop.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>
#include <vector>

#include "app/file_access.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "platform/byte_table.h"
#include "platform/prompts.h"

namespace {

bool IsDragEvent(const QEvent* event) {
    return event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
           event->type() == QEvent::Drop;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QString PaneError(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot put the file into the encoded data pane.\r\n\r\n%1\r\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Files are read, never taken: a source that proposes to move them is told they were copied,
// lest it delete what it gave.
void AcceptFileDrop(QDropEvent* drop) {
    if (drop->possibleActions() & Qt::CopyAction) {
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
    } else {
        drop->acceptProposedAction();
    }
}

}  // namespace

QStringList DroppedFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return QStringList();
        }
        paths << url.toLocalFile();
    }
    return paths;
}

bool IsTlvFilePath(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("tlv"), Qt::CaseInsensitive) == 0;
}

bool IsHexText(const QByteArray& text) {
    bool digit = false;
    for (const char c : text) {
        if (IsHexDigit(c)) {
            digit = true;
        } else if (!IsWhiteSpace(c)) {
            return false;
        }
    }
    return digit;
}

FileOpenDrop::FileOpenDrop(COrdaApp* app, QObject* parent) : QObject(parent), app_(app) {}

void FileOpenDrop::Watch(QWidget* window) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool FileOpenDrop::eventFilter(QObject*, QEvent* event) {
    if (!IsDragEvent(event)) {
        return false;
    }
    QDropEvent* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = DroppedFiles(drop->mimeData());
    bool anyDocument = false;
    for (const QString& path : paths) {
        anyDocument = anyDocument || IsTlvFilePath(path);
    }
    if (!anyDocument) {
        drop->ignore();
        return true;
    }
    AcceptFileDrop(drop);
    if (event->type() == QEvent::Drop) {
        QTimer::singleShot(0, this, [this, paths] { OpenDroppedFiles(paths); });
    }
    return true;
}

void FileOpenDrop::OpenDroppedFiles(const QStringList& paths) {
    QStringList others;
    for (const QString& path : paths) {
        if (IsTlvFilePath(path)) {
            app_->OpenFiles({path});
        } else {
            others << QDir::toNativeSeparators(path);
        }
    }
    if (!others.isEmpty()) {
        AppPrompts()->ShowError(
            app_->MainFrame(),
            QStringLiteral("Only TLV files (*.tlv) open as documents; not opened:\r\n\r\n%1")
                .arg(others.join(QStringLiteral("\r\n"))),
            QString::fromLatin1(kApplicationTitle));
    }
}

PaneTextDrop::PaneTextDrop(COrdaView* view) : QObject(view), view_(view) {
    QList<QWidget*> targets = {view->Grid()->viewport(), view->Pane()->viewport()};
    for (int mode = DISPLAY_MODE_8_BYTES; mode <= DISPLAY_MODE_32_BYTES; ++mode) {
        targets << view->ByteTable(mode)->viewport();
    }
    for (QWidget* target : targets) {
        target->setAcceptDrops(true);
        target->installEventFilter(this);
    }
}

bool PaneTextDrop::eventFilter(QObject* watched, QEvent* event) {
    if (!IsDragEvent(event)) {
        return false;
    }
    QDropEvent* drop = static_cast<QDropEvent*>(event);
    const QMimeData* data = drop->mimeData();
    const QStringList paths = DroppedFiles(data);
    if (paths.size() == 1 && !IsTlvFilePath(paths.first())) {
        AcceptFileDrop(drop);
        if (event->type() == QEvent::Drop) {
            const QString path = paths.first();
            QTimer::singleShot(0, this, [this, path] { PutFileIntoPane(path); });
        }
        return true;
    }
    // Documents, several files and anything but files and text are the main window's.
    QPlainTextEdit* pane = view_->Pane();
    const bool text = data != nullptr && !data->hasUrls() && data->hasText();
    if (watched == pane->viewport() && text) {
        // The pane inserts at the drop point itself; it also moves its own text about.
        const bool ownText = drop->source() == pane || drop->source() == pane->viewport();
        if (ownText || IsHexText(data->text().toLatin1())) {
            return false;
        }
    }
    drop->ignore();
    return true;
}

bool PaneTextDrop::PutFileIntoPane(const QString& path) {
    std::vector<uint8_t> contents;
    std::string reason;
    if (!ReadRegularFile(QFile::encodeName(path).toStdString(), kMaxDocumentFileSize, &contents,
                         &reason)) {
        AppPrompts()->ShowError(view_, PaneError(path, QString::fromLocal8Bit(reason.c_str())),
                                QString::fromLatin1(kApplicationTitle));
        return false;
    }
    const QByteArray text(reinterpret_cast<const char*>(contents.data()),
                          static_cast<qsizetype>(contents.size()));
    if (!IsHexText(text)) {
        AppPrompts()->ShowError(
            view_,
            PaneError(path, QStringLiteral("The file does not hold hexadecimal text (hexadecimal "
                                           "digits and white space only).")),
            QString::fromLatin1(kApplicationTitle));
        return false;
    }
    if (!view_->PaneText().trimmed().isEmpty() &&
        !AppPrompts()->AskYesNo(view_, QStringLiteral("The already existing encoded data will "
                                                      "be replaced by the text of %1!\r\n\r\nDo "
                                                      "you want to continue?")
                                           .arg(QFileInfo(path).fileName()))) {
        return false;
    }
    view_->ReplacePaneText(QString::fromLatin1(text));
    return true;
}
