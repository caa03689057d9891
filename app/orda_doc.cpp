#include "app/orda_doc.h"

#include <errno.h>
#include <string.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>
#include <new>

#include "app/child_frame.h"
#include "app/file_access.h"
#include "app/orda_app.h"
#include "app/tlv_file.h"
#include "editor/orda_view.h"
#include "platform/prompts.h"

const char* const COrdaDoc::kUntitled = "Untitled";

namespace {

const char kFilter[] = "TLV Files(*.tlv)";
// The pane text is read in parts of this size.
const size_t kReadPart = 64 * 1024;
const char kExtension[] = ".tlv";
const char kNotLatin1[] =
    "The encoded data holds characters that a .tlv file cannot store: each of them is saved as "
    "\"?\".\r\n\r\nDo you want to save anyway?";

const char kFurtherWindowsLost[] =
    "%1 was saved with what its first window holds. The changes in its other windows are not "
    "saved and will be lost.\r\n\r\nDo you want to close it anyway?";

// Whether every character fits the file's 8-bit text.
bool IsLatin1(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            return false;
        }
    }
    return true;
}

// The text in 8 bits, with one "?" for each character beyond Latin-1, also for one written as
// a surrogate pair.
std::string Latin1Text(const QString& text) {
    if (IsLatin1(text)) {
        return text.toLatin1().toStdString();
    }
    std::string latin;
    for (const char32_t c : text.toUcs4()) {
        latin += c > 0xFF ? '?' : static_cast<char>(c);
    }
    return latin;
}

QString FileError(const char* what, const QString& path, const QString& reason) {
    return QStringLiteral("%1\r\n\r\n%2\r\n%3")
        .arg(QString::fromLatin1(what), QDir::toNativeSeparators(path), reason);
}

}  // namespace

COrdaDoc::COrdaDoc(QObject* parent) : QObject(parent) {}

void COrdaDoc::AddView(COrdaView* view) {
    views_.append(view);
    view->SetDocument(this);
    emit viewsChanged();
}

void COrdaDoc::RemoveView(COrdaView* view) {
    if (views_.removeAll(view) == 0) {
        return;
    }
    // A further window's changes, which no save could write, go with it.
    if (modified_ && FirstView() != nullptr && !AnyViewUnsaved()) {
        modified_ = false;
        SetTitle(title_);
    }
    emit viewsChanged();
}

bool COrdaDoc::AnyViewUnsaved() const {
    for (const QPointer<COrdaView>& view : views_) {
        if (view && !view->IsSaved()) {
            return true;
        }
    }
    return false;
}

void COrdaDoc::ViewSavedStateChanged(bool saved) {
    modified_ = !saved || AnyViewUnsaved();
}

int COrdaDoc::ViewNumber(const COrdaView* view) const {
    if (views_.size() < 2) {
        return 0;
    }
    const int index = views_.indexOf(const_cast<COrdaView*>(view));
    return index < 0 ? 0 : index + 1;
}

COrdaView* COrdaDoc::FirstView() const {
    for (const QPointer<COrdaView>& view : views_) {
        if (view) {
            return view;
        }
    }
    return nullptr;
}

bool COrdaDoc::HandOverFrom(COrdaView* view) {
    if (view != FirstView()) {
        return true;
    }
    COrdaView* next = nullptr;
    for (const QPointer<COrdaView>& other : views_) {
        if (other && other != view) {
            next = other;
            break;
        }
    }
    if (next == nullptr) {
        return true;
    }
    if (next->Root() != nullptr || !next->PaneText().isEmpty()) {
        return false;
    }
    const bool unsaved = !view->IsSaved();
    QString tree;
    QString pane;
    view->StoreDocumentData(&tree, &pane);
    next->LoadDocumentData(&tree, pane);
    // Loading clears the view's undo steps, which would make its first state count as saved.
    if (unsaved) {
        next->UndoStack()->resetClean();
    }
    return true;
}

void COrdaDoc::MarkUnsaved() {
    if (COrdaView* view = FirstView()) {
        view->UndoStack()->resetClean();
    }
    modified_ = true;
    SetTitle(title_);
}

void COrdaDoc::OnNewDocument() {
    encodedHex_.clear();
    path_.clear();
    modified_ = false;
    SetTitle(QString::fromLatin1(kUntitled));
}

bool COrdaDoc::OnOpenDocument(const QString& path) {
    std::string reason;
    if (!ReadDocument(path, &reason)) {
        AppPrompts()->ShowError(
            nullptr, FileError("Failed to open document.", path, QString::fromLocal8Bit(reason)),
            QString::fromLatin1(kApplicationTitle));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    modified_ = false;
    SetTitle(QFileInfo(path).fileName());
    emit fileUsed(path_);
    return true;
}

bool COrdaDoc::ReadDocument(const QString& path, std::string* reason) {
    encodedHex_.clear();
    size_t size = 0;
    const int fd =
        OpenRegularFile(QFile::encodeName(path).toStdString(), kMaxDocumentFileSize, &size, reason);
    if (fd < 0) {
        return false;
    }
    bool read = false;
    try {
        read = ReadOpenedDocument(fd, size, reason);
    } catch (const std::bad_alloc&) {
        *reason = strerror(ENOMEM);
    }
    close(fd);
    if (!read) {
        encodedHex_.clear();
    }
    return read;
}

bool COrdaDoc::ReadOpenedDocument(int fd, size_t size, std::string* reason) {
    bool failed = false;
    const auto readAt = [fd, reason, &failed](uint64_t offset, size_t length, uint8_t* out) {
        failed = !ReadAt(fd, offset, out, length, reason);
        return !failed;
    };
    TlvFileLayout layout;
    if (!TlvFileReadLayout(size, readAt, &layout)) {
        if (failed) {
            return false;
        }
        uint8_t head[sizeof TLV_FILE_MAGIC];
        const bool signature = size >= sizeof head && ReadAt(fd, 0, head, sizeof head, reason) &&
                               memcmp(head, TLV_FILE_MAGIC, sizeof head) == 0;
        // An empty file, or one of the signature alone, has nothing to lose and opens as a new
        // document would. Any other file that is not a whole document is refused: opened
        // empty, a save would replace it.
        if (size == 0 || (signature && size == sizeof head)) {
            return true;
        }
        *reason = signature ? "The document is damaged: the file ends inside it."
                            : "The file is not a Quorvel BERTLV document.";
        return false;
    }
    encodedHex_ = QByteArray::fromStdString(layout.encodedHex);
    std::string().swap(layout.encodedHex);
    COrdaView* view = FirstView();
    if (view == nullptr) {
        return true;
    }
    // The pane text goes from the file into the pane in parts: the pane's copy is the only
    // one of the whole text.
    std::vector<uint8_t> part(qMin<size_t>(layout.paneLength, kReadPart));
    uint64_t offset = layout.paneOffset;
    size_t left = layout.paneLength;
    bool first = true;
    for (;;) {
        const size_t length = qMin(left, part.size());
        if (!ReadAt(fd, offset, part.data(), length, reason)) {
            return false;
        }
        const size_t counted = TlvFileTextLength(part.data(), length);
        const QLatin1String text(reinterpret_cast<const char*>(part.data()),
                                 static_cast<qsizetype>(counted));
        if (first) {
            view->LoadDocumentData(encodedHex_, text);
            first = false;
        } else {
            view->AppendDocumentPaneText(text);
        }
        offset += length;
        left -= length;
        if (counted < length || left == 0) {
            return true;
        }
    }
}

bool COrdaDoc::Save(QWidget* owner) {
    return path_.isEmpty() ? SaveAs(owner) : DoSave(owner, path_);
}

bool COrdaDoc::SaveAs(QWidget* owner) {
    const QString suggested = path_.isEmpty() ? QStringLiteral("TLV.tlv") : path_;
    QString path = AppPrompts()->AskSavePath(owner, suggested, QString::fromLatin1(kFilter));
    if (path.isEmpty()) {
        return false;
    }
    // A name typed without an extension gets the document's, so that File > Open lists it.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1String(kExtension);
    }
    std::string reason;
    if (!CheckReplaceable(QFile::encodeName(path).toStdString(), &reason)) {
        AppPrompts()->ShowError(
            owner, FileError("Failed to save document.", path, QString::fromLocal8Bit(reason)),
            QString::fromLatin1(kApplicationTitle));
        return false;
    }
    // Two documents of one file would each overwrite the other's saves without a word.
    if (IsOpenElsewhere(path)) {
        AppPrompts()->ShowError(owner,
                                QStringLiteral("%1 is open in another window.\r\nClose it before "
                                               "saving this document under its name.")
                                    .arg(QFileInfo(path).fileName()),
                                QString::fromLatin1(kApplicationTitle));
        return false;
    }
    // Asked here rather than by the file dialog, so that a refusal above comes without it.
    if (QFileInfo::exists(path) &&
        !AppPrompts()->AskYesNo(owner, QStringLiteral("%1 already exists.\r\nDo you want to "
                                                      "replace it?")
                                           .arg(QFileInfo(path).fileName()))) {
        return false;
    }
    return DoSave(owner, path);
}

bool COrdaDoc::IsOpenElsewhere(const QString& path) const {
    // Documents are children of the application, which knows the open files.
    const COrdaApp* app = qobject_cast<const COrdaApp*>(parent());
    const CChildFrame* open = app != nullptr ? app->FindOpenDocument(path) : nullptr;
    return open != nullptr && open->Document() != this;
}

bool COrdaDoc::DoSave(QWidget* owner, const QString& path) {
    std::string reason;
    bool written = false;
    try {
        std::string paneText;
        if (COrdaView* view = FirstView()) {
            QString tree;
            QString pane;
            view->StoreDocumentData(&tree, &pane);
            if (!IsLatin1(pane) &&
                !AppPrompts()->AskYesNo(owner, QString::fromLatin1(kNotLatin1))) {
                return false;
            }
            encodedHex_ = tree.toLatin1();
            paneText = Latin1Text(pane);
        }
        emit fileUsed(QFileInfo(path).absoluteFilePath());
        const std::vector<uint8_t> bytes = TlvFileWrite(encodedHex_.toStdString(), paneText);
        written = ReplaceRegularFile(QFile::encodeName(path).toStdString(), bytes.data(),
                                     bytes.size(), &reason);
    } catch (const std::bad_alloc&) {
        reason = strerror(ENOMEM);
    }
    if (!written) {
        emit fileNotWritten(QFileInfo(path).absoluteFilePath());
        AppPrompts()->ShowError(
            owner, FileError("Failed to save document.", path, QString::fromLocal8Bit(reason)),
            QString::fromLatin1(kApplicationTitle));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    // Only the first view's data was written; changes in further windows stay unsaved.
    if (COrdaView* view = FirstView()) {
        view->MarkSaved();
    }
    modified_ = AnyViewUnsaved();
    SetTitle(QFileInfo(path).fileName());
    return true;
}

bool COrdaDoc::SaveModified(QWidget* owner, const COrdaView* closingOnly) {
    for (const QPointer<COrdaView>& view : views_) {
        if (view) {
            view->CommitEdits();
        }
    }
    if (!modified_) {
        return true;
    }
    QString name = title_;
    if (name.endsWith(QStringLiteral(" *"))) {
        name.chop(2);
    }
    switch (AppPrompts()->AskYesNoCancel(owner, QStringLiteral("Save changes to %1?").arg(name))) {
        case Prompts::kYes:
            if (!Save(owner)) {
                return false;
            }
            // A save writes the first window only: what further windows changed is lost on
            // closing, which the user has not agreed to by answering Yes.
            return (closingOnly != nullptr ? closingOnly->IsSaved() : !AnyViewUnsaved()) ||
                   AppPrompts()->AskYesNo(owner,
                                          QString::fromLatin1(kFurtherWindowsLost).arg(name));
        case Prompts::kNo:
            return true;
        default:
            return false;
    }
}

void COrdaDoc::SetTitle(const QString& title) {
    QString shown = title;
    if (modified_ && !shown.endsWith(QLatin1Char('*'))) {
        shown += QStringLiteral(" *");
    } else if (!modified_ && shown.endsWith(QLatin1Char('*'))) {
        shown.chop(2);
    }
    title_ = shown;
    emit titleChanged(title_);
}
