#include "app/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "app/settings_keys.h"

namespace {

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

bool SamePath(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

QString RecentFileList::Entry(int index) const {
    return index >= 0 && index < kSize ? entries_[index] : QString();
}

void RecentFileList::SetEntry(int index, const QString& path) {
    if (index >= 0 && index < kSize) {
        entries_[index] = path;
    }
}

void RecentFileList::Add(const QString& path) {
    int found = kSize - 1;
    for (int i = 0; i < kSize; ++i) {
        if (!entries_[i].isEmpty() && SamePath(entries_[i], path)) {
            found = i;
            break;
        }
    }
    for (int i = found; i > 0; --i) {
        entries_[i] = entries_[i - 1];
    }
    entries_[0] = QFileInfo(path).absoluteFilePath();
}

void RecentFileList::Remove(const QString& path) {
    for (int i = 0; i < kSize; ++i) {
        if (!entries_[i].isEmpty() && SamePath(entries_[i], path)) {
            for (int j = i; j < kSize - 1; ++j) {
                entries_[j] = entries_[j + 1];
            }
            entries_[kSize - 1].clear();
            return;
        }
    }
}

QString RecentFileList::DisplayName(int index) const {
    const QString path = Entry(index);
    if (path.isEmpty()) {
        return QString();
    }
    const QFileInfo file(path);
    const QString shown = file.absolutePath() == QDir::currentPath()
                              ? file.fileName()
                              : QDir::toNativeSeparators(file.absoluteFilePath());
    if (shown.size() <= kMaxDisplayLength) {
        return shown;
    }
    // Keep the file name and as much of the front as fits.
    const QString tail = QStringLiteral("...") + QDir::separator() + file.fileName();
    return shown.left(qMax(0, kMaxDisplayLength - static_cast<int>(tail.size()))) + tail;
}

void RecentFileList::Read(QSettings* settings) {
    settings->beginGroup(QString::fromLatin1(kRecentFileSection));
    for (int i = 0; i < kSize; ++i) {
        entries_[i] = settings->value(Key(i)).toString();
    }
    settings->endGroup();
}

void RecentFileList::Write(QSettings* settings) const {
    settings->beginGroup(QString::fromLatin1(kRecentFileSection));
    for (int i = 0; i < kSize; ++i) {
        if (entries_[i].isEmpty()) {
            settings->remove(Key(i));
        } else {
            settings->setValue(Key(i), entries_[i]);
        }
    }
    settings->endGroup();
}
