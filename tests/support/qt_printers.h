// Lets GoogleTest print Qt strings readably in failure messages.
#ifndef QUORVEL_TESTS_SUPPORT_QT_PRINTERS_H
#define QUORVEL_TESTS_SUPPORT_QT_PRINTERS_H

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) {
        PrintTo(text, out);
        *out << ", ";
    }
    *out << '}';
}

#endif
