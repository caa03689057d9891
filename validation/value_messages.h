// Texts of the messages that refuse an edited value.
#ifndef QUORVEL_VALIDATION_VALUE_MESSAGES_H
#define QUORVEL_VALIDATION_VALUE_MESSAGES_H

#include <QString>

#include "core/tlv.h"

struct DataElementDef;

// The length or format message for a DictSetValue failure (DE_ERR_VALUE_LENGTH by the entry's
// length rule, DE_ERR_VALUE_FORMAT by its format); empty where no message applies.
QString ValueRuleMessage(const DataElementDef* entry, TlvResult result);

extern const char* const kValueErrorCaption;   // "Value Error"
extern const char* const kLengthErrorCaption;  // "Length Error"

// An element's value above the 255 bytes a length field can carry.
QString ValueTooLongMessage(const QString& name);
// A typed value that is no whole hexadecimal bytes: it holds `character`, or (when that is null)
// an odd number of digits.
QString NotHexMessage(const QString& name, QChar character);
// A change that would push the template `name` above 255 bytes of content.
QString TemplateTooLongMessage(const QString& name);
// A template that already has the 255 children a child count can hold.
QString TemplateFullMessage(const QString& name);

#endif
