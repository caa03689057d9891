// Text output shows data bytes as they are, except those that would act on a terminal.
#ifndef QUORVEL_DICTIONARY_TEXT_ESCAPE_H
#define QUORVEL_DICTIONARY_TEXT_ESCAPE_H

#include <string>

// Appends the program's 8-bit `text` (each byte the Latin-1 character of its code) to `out` as
// UTF-8, writing every byte below 20 and from 7F to 9F as \xNN (upper-case digits), so that a
// value read as text can neither move the cursor, set a title nor forge a row or column of the
// output.
void AppendEscaped(const std::string& text, std::string* out);

#endif
