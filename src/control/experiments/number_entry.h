#pragma once
// Numbers typed by a pupil into an edit box.

#include <QString>

#include <optional>

namespace platform {
class Prompts;
}

namespace pelmora::experiments {

// The whole number in text (optional sign, digits, 32 bits). A malformed text
// shows one message and gives nullopt, so the caller changes nothing.
std::optional<int> numberFromEdit(const QString& text, platform::Prompts& prompts);

// The message for a text that is not a whole number.
QString notANumberText(const QString& text);

}  // namespace pelmora::experiments
