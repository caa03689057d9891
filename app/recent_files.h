// The four most recently used files, most recent first, kept under "V1.0/Recent File List" as
// "File1" to "File4".
#ifndef QUORVEL_APP_RECENT_FILES_H
#define QUORVEL_APP_RECENT_FILES_H

#include <QString>
#include <QStringList>

class QSettings;

class RecentFileList {
public:
    enum { kSize = 4, kMaxDisplayLength = 255 };

    // Entry i, or an empty string for an unused one.
    QString Entry(int index) const;
    void SetEntry(int index, const QString& path);
    // Puts `path` first; a path already listed moves to the front.
    void Add(const QString& path);
    void Remove(const QString& path);
    // The menu text of entry i: the name relative to the current folder where the file lies
    // there, else the full path, at most kMaxDisplayLength characters; empty for an unused one.
    QString DisplayName(int index) const;

    void Read(QSettings* settings);
    void Write(QSettings* settings) const;

private:
    QString entries_[kSize];
};

#endif
