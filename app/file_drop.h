// Files and text dropped onto the program's windows.
//
// .tlv files dropped anywhere on the main window or a panel open as File > Open opens them,
// several at once: a file already open only has its window shown, and a file that cannot be
// read is reported. One file of hexadecimal text dropped onto a document's grid, pane or byte
// table goes into that document's pane, after a question when the pane holds text already.
// Hexadecimal text dropped onto the pane is inserted at the drop point; other text is refused.
// What a drop asks or opens runs after the drop has ended, so that no question holds up the
// application the drag came from.
#ifndef QUORVEL_APP_FILE_DROP_H
#define QUORVEL_APP_FILE_DROP_H

#include <QObject>
#include <QStringList>

class COrdaApp;
class COrdaView;
class QMimeData;
class QWidget;

// The local files a drop holds; empty when it holds anything else as well.
QStringList DroppedFiles(const QMimeData* data);
bool IsTlvFilePath(const QString& path);
// Hexadecimal digits and white space only, at least one digit.
bool IsHexText(const QByteArray& text);

class FileOpenDrop : public QObject {
    Q_OBJECT

public:
    FileOpenDrop(COrdaApp* app, QObject* parent);

    // Lets `window` take drops of .tlv files.
    void Watch(QWidget* window);
    // Opens the .tlv files among `paths` in order, then names the others, which are not
    // opened, in one message.
    void OpenDroppedFiles(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    COrdaApp* app_;
};

class PaneTextDrop : public QObject {
    Q_OBJECT

public:
    // Takes drops onto the view's grid, pane and byte tables; lives as long as the view.
    explicit PaneTextDrop(COrdaView* view);

    // Puts the text of the file at `path` into the view's pane. False when it cannot be read,
    // holds other than hexadecimal text, or the user keeps the pane's text.
    bool PutFileIntoPane(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    COrdaView* view_;
};

#endif
