#pragma once
// Message boxes and file dialogs shown with Qt.

#include "platform/prompts.h"

class QWidget;

namespace platform::ui {

class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QString title) : title_(std::move(title)) {}
  void message(const QString& text) override;
  void error(const QString& caption, const QString& text) override;
  bool askYesNo(const QString& text) override;
  bool confirmOk(const QString& text) override;
  void confirmYes(const QString& text) override;
  QString openFileName(const QString& directory, const QString& filter) override;
  QString saveFileName(const QString& directory, const QString& suggestedName, const QString& filter) override;

 private:
  QString title_;
};

// Loads Qt's own Japanese texts for its dialogs.
void installJapaneseTranslations();

}  // namespace platform::ui
