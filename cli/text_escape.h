// Text output shows data bytes as they are, except those that would act on a terminal.
#ifndef QUORVEL_CLI_TEXT_ESCAPE_H
#define QUORVEL_CLI_TEXT_ESCAPE_H

#include <string>

// Appends `text` to `out`, writing every byte below 20 and from 7F to 9F as \xNN (upper-case
// digits), so that a value read as text can neither move the cursor, set a title nor forge a
// row or column of the output.
void AppendEscaped(const std::string& text, std::string* out);

#endif
