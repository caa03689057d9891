// One document: the encoded tree and the pane text, read from and written to a .tlv file.
#ifndef QUORVEL_APP_ORDA_DOC_H
#define QUORVEL_APP_ORDA_DOC_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <string>

#include "editor/view_interfaces.h"

class COrdaView;
class QWidget;

class COrdaDoc : public QObject, public ViewDocument {
    Q_OBJECT

public:
    explicit COrdaDoc(QObject* parent = nullptr);

    // The title of a document never saved.
    static const char* const kUntitled;

    void AddView(COrdaView* view);
    void RemoveView(COrdaView* view);
    // Before `view` closes while other views remain: when it is the one the document exchanges
    // its strings with, its tree and pane text pass to the next view, if that view is empty, so
    // that the next save writes what the document held. False when they cannot: the next view
    // holds content of its own.
    bool HandOverFrom(COrdaView* view);
    // The first view holds what no save has written: modified, also after undoing back.
    void MarkUnsaved();
    // The view the document exchanges its strings with.
    COrdaView* FirstView() const;
    int ViewCount() const { return views_.size(); }
    // The number of `view` among the document's windows, from 1; 0 while it is the only one.
    int ViewNumber(const COrdaView* view) const;

    void OnNewDocument();
    // Reads the file into the first view. False, after telling the user, when the file cannot
    // be read at all; a file that is not a complete .tlv file opens empty without a word.
    bool OnOpenDocument(const QString& path);
    // Save, Save As: true once the file is written.
    bool Save(QWidget* owner);
    bool SaveAs(QWidget* owner);
    // Before a modified document closes, or only its window `closingOnly`: asks whether to save,
    // and after a save whether to close all the same when changes of a closing window that the
    // save did not write would be lost; false when the user cancels or the save fails.
    bool SaveModified(QWidget* owner, const COrdaView* closingOnly = nullptr);

    QString Path() const { return path_; }
    bool IsModified() const { return modified_; }
    const QByteArray& EncodedHex() const { return encodedHex_; }

    void SetModifiedFlag(bool modified) override { modified_ = modified; }
    void ViewSavedStateChanged(bool saved) override;
    QString Title() const override { return title_; }
    // Appends " *" to a modified document's title and takes it off an unmodified one's.
    void SetTitle(const QString& title) override;

signals:
    void titleChanged(const QString& title);
    // A view was added or removed: the windows' numbers may have changed.
    void viewsChanged();
    // A file was opened or is about to be saved under `path`.
    void fileUsed(const QString& path);
    // The save under `path` announced by fileUsed failed.
    void fileNotWritten(const QString& path);

private:
    // Reads the file's strings into the document and its first view; false with the reason
    // when the file cannot be read. A file that is not a complete .tlv file is read as empty.
    bool ReadDocument(const QString& path, std::string* reason);
    bool ReadOpenedDocument(int fd, size_t size, std::string* reason);
    bool DoSave(QWidget* owner, const QString& path);
    // Another open document holds the file at `path`.
    bool IsOpenElsewhere(const QString& path) const;
    // Some view holds a change that no save has written.
    bool AnyViewUnsaved() const;

    QByteArray encodedHex_;
    QString path_;
    QString title_;
    bool modified_ = false;
    QList<QPointer<COrdaView>> views_;
};

#endif
