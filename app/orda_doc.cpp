#include "app/orda_doc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/tlv_file.h"
#include "editor/orda_view.h"
#include "platform/prompts.h"

const char* const COrdaDoc::kUntitled = "Untitled";

namespace {

const char kFilter[] = "TLV Files(*.tlv)";

QString FileError(const char* what, const QString& path, const QString& reason) {
    return QStringLiteral("%1\r\n\r\n%2\r\n%3")
        .arg(QString::fromLatin1(what), QDir::toNativeSeparators(path), reason);
}

}  // namespace

COrdaDoc::COrdaDoc(QObject* parent) : QObject(parent) {}

void COrdaDoc::AddView(COrdaView* view) {
    views_.append(view);
    view->SetDocument(this);
}

void COrdaDoc::RemoveView(COrdaView* view) {
    views_.removeAll(view);
}

COrdaView* COrdaDoc::FirstView() const {
    for (const QPointer<COrdaView>& view : views_) {
        if (view) {
            return view;
        }
    }
    return nullptr;
}

void COrdaDoc::OnNewDocument() {
    encodedHex_.clear();
    paneText_.clear();
    path_.clear();
    modified_ = false;
    SetTitle(QString::fromLatin1(kUntitled));
}

bool COrdaDoc::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        AppPrompts()->ShowError(nullptr,
                                FileError("Failed to open document.", path, file.errorString()),
                                QString::fromLatin1(kApplicationTitle));
        return false;
    }
    encodedHex_.clear();
    paneText_.clear();
    // Mapping reads nothing beyond the file, however large the lengths inside it claim to be.
    const qint64 size = file.size();
    const uchar* data = size > 0 ? file.map(0, size) : nullptr;
    QByteArray contents;
    if (size > 0 && data == nullptr) {
        contents = file.readAll();
        data = reinterpret_cast<const uchar*>(contents.constData());
    }
    TlvFileStrings strings;
    if (TlvFileRead(data, data != nullptr ? static_cast<size_t>(size) : 0, &strings)) {
        encodedHex_ = QByteArray::fromStdString(strings.encodedHex);
        paneText_ = QByteArray::fromStdString(strings.paneText);
        if (COrdaView* view = FirstView()) {
            QString tree = QString::fromLatin1(encodedHex_);
            view->LoadDocumentData(&tree, QString::fromLatin1(paneText_));
        }
    }
    path_ = QFileInfo(path).absoluteFilePath();
    modified_ = false;
    SetTitle(QFileInfo(path).fileName());
    emit fileUsed(path_);
    return true;
}

bool COrdaDoc::Save(QWidget* owner) {
    return path_.isEmpty() ? SaveAs(owner) : DoSave(owner, path_);
}

bool COrdaDoc::SaveAs(QWidget* owner) {
    const QString suggested = path_.isEmpty() ? QStringLiteral("TLV.tlv") : path_;
    const QString path = AppPrompts()->AskSavePath(owner, suggested, QString::fromLatin1(kFilter));
    return !path.isEmpty() && DoSave(owner, path);
}

bool COrdaDoc::DoSave(QWidget* owner, const QString& path) {
    if (COrdaView* view = FirstView()) {
        QString tree;
        QString pane;
        view->StoreDocumentData(&tree, &pane);
        encodedHex_ = tree.toLatin1();
        paneText_ = pane.toLatin1();
    }
    emit fileUsed(QFileInfo(path).absoluteFilePath());
    const std::vector<uint8_t> bytes =
        TlvFileWrite(encodedHex_.toStdString(), paneText_.toStdString());
    // The old file stays untouched unless the new one was written in full.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        AppPrompts()->ShowError(owner,
                                FileError("Failed to save document.", path, file.errorString()),
                                QString::fromLatin1(kApplicationTitle));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    modified_ = false;
    SetTitle(QFileInfo(path).fileName());
    return true;
}

bool COrdaDoc::SaveModified(QWidget* owner) {
    if (!modified_) {
        return true;
    }
    QString name = title_;
    if (name.endsWith(QStringLiteral(" *"))) {
        name.chop(2);
    }
    switch (AppPrompts()->AskYesNoCancel(owner, QStringLiteral("Save changes to %1?").arg(name))) {
        case Prompts::kYes:
            return Save(owner);
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
