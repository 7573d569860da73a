#include "platform/prompts.h"

namespace platform {

void ScriptedPrompts::message(const QString& text) { shown_.append({Kind::Message, text}); }

void ScriptedPrompts::error(const QString& caption, const QString& text) { shown_.append({Kind::Error, text, caption}); }

bool ScriptedPrompts::askYesNo(const QString& text) {
  shown_.append({Kind::YesNo, text});
  return yesNo_.isEmpty() ? true : yesNo_.takeFirst();
}

bool ScriptedPrompts::confirmOk(const QString& text) {
  shown_.append({Kind::Ok, text});
  return ok_.isEmpty() ? true : ok_.takeFirst();
}

void ScriptedPrompts::confirmYes(const QString& text) { shown_.append({Kind::Yes, text}); }

QString ScriptedPrompts::openFileName(const QString& directory, const QString&) {
  shown_.append({Kind::OpenFile, directory});
  return files_.isEmpty() ? QString() : files_.takeFirst();
}

QString ScriptedPrompts::saveFileName(const QString& directory, const QString& suggestedName, const QString&) {
  shown_.append({Kind::SaveFile, directory + suggestedName});
  return files_.isEmpty() ? QString() : files_.takeFirst();
}

QStringList ScriptedPrompts::texts() const {
  QStringList out;
  for (const Shown& s : shown_) {
    if (s.kind != Kind::OpenFile && s.kind != Kind::SaveFile) out.append(s.text);
  }
  return out;
}

}  // namespace platform
