#pragma once
// Whole numbers as settings files and edit boxes hold them.

#include <QString>

#include <optional>

namespace platform {

// Optional sign and decimal digits (blanks around allowed), within 32 bits;
// nullopt otherwise.
std::optional<qint32> parseInt(const QString& text);

}  // namespace platform
