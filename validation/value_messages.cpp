#include "validation/value_messages.h"

#include "dictionary/dictionary.h"

const char* const kValueErrorCaption = "Value Error";
const char* const kLengthErrorCaption = "Length Error";

QString ValueRuleMessage(const DataElementDef* entry, TlvResult result) {
    if (entry == nullptr) {
        return QString();
    }
    const QString name = QString::fromLatin1(entry->name);
    if (result == DE_ERR_VALUE_FORMAT) {
        const QString format = QString::fromLatin1(DictFormatLongName(entry->format));
        return format.isEmpty() ? QString()
                                : QStringLiteral("The format of Value of \"%1\" is not '%2' !")
                                      .arg(name, format);
    }
    if (result != DE_ERR_VALUE_LENGTH) {
        return QString();
    }
    switch (entry->format & FORMAT_RULE_MASK) {
        case FORMAT_RULE_FIXED:
            return QStringLiteral("The length of Value of \"%1\" shall be %2 !")
                .arg(name)
                .arg(entry->lengths[1]);
        case FORMAT_RULE_RANGE:
            return QStringLiteral(
                       "The length of Value of \"%1\" shall be in the range of %2 and %3 !")
                .arg(name)
                .arg(entry->lengths[0])
                .arg(entry->lengths[1]);
        case FORMAT_RULE_LIST: {
            QString text = QStringLiteral("The length of Value of \"%1\" shall be ").arg(name);
            const int count = entry->lengthCount <= 5 ? entry->lengthCount : 5;
            for (int i = 0; i < count; ++i) {
                if (i == 0) {
                    text += QString::number(entry->lengths[i]);
                } else if (i < count - 1) {
                    text += QStringLiteral(", %1").arg(entry->lengths[i]);
                } else {
                    text += QStringLiteral(", or %1 !").arg(entry->lengths[i]);
                }
            }
            return text;
        }
        default:
            return QString();
    }
}

QString ValueTooLongMessage(const QString& name) {
    return QStringLiteral("The length of Value of \"%1\" exceeds the maximum of 255 bytes !")
        .arg(name);
}

QString NotHexMessage(const QString& name, QChar character) {
    if (character.isNull()) {
        return QStringLiteral("The Value of \"%1\" has an odd number of hexadecimal digits !")
            .arg(name);
    }
    return QStringLiteral("The Value of \"%1\" holds '%2', which is not a hexadecimal digit !")
        .arg(name, character);
}

QString TemplateTooLongMessage(const QString& name) {
    return QStringLiteral("The length of Value of \"%1\" would exceed the maximum of 255 bytes !")
        .arg(name);
}

QString TemplateFullMessage(const QString& name) {
    return QStringLiteral("The template \"%1\" already holds 255 data elements !").arg(name);
}
