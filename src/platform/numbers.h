#pragma once
// Whole numbers as settings files and edit boxes hold them.

#include <QString>

#include <optional>

namespace platform {

// Optional sign and decimal digits (blanks around allowed), within 32 bits;
// nullopt otherwise.
std::optional<qint32> parseInt(const QString& text);

// A faulty line for a message: its first maxChars characters, then "…" when
// there is more, so a huge line cannot make a message box larger than the
// screen.
QString shortQuote(const QString& text, int maxChars = 40);

}  // namespace platform
