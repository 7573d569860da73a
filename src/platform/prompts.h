#pragma once
// Message boxes and file dialogs. Windows get a Prompts through their
// context; tests answer from a script and read back what was shown.

#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // Plain message box with OK.
  virtual void message(const QString& text) = 0;
  // Error box with its own caption, the error icon and OK.
  virtual void error(const QString& caption, const QString& text) = 0;
  // Confirmation box with Yes and No; true only on Yes.
  virtual bool askYesNo(const QString& text) = 0;
  // Confirmation box with a single OK button; true when OK was pressed.
  virtual bool confirmOk(const QString& text) = 0;
  // Confirmation box with a single Yes button.
  virtual void confirmYes(const QString& text) = 0;
  // Empty result: the pupil cancelled.
  virtual QString openFileName(const QString& directory, const QString& filter) = 0;
  virtual QString saveFileName(const QString& directory, const QString& suggestedName, const QString& filter) = 0;
};

// Records every text and answers from queues; an empty queue answers Yes/OK
// and cancels file dialogs.
class ScriptedPrompts : public Prompts {
 public:
  enum class Kind { Message, Error, YesNo, Ok, Yes, OpenFile, SaveFile };
  struct Shown {
    Kind kind;
    QString text;
    QString caption = {};  // error boxes only
  };

  void message(const QString& text) override;
  void error(const QString& caption, const QString& text) override;
  bool askYesNo(const QString& text) override;
  bool confirmOk(const QString& text) override;
  void confirmYes(const QString& text) override;
  QString openFileName(const QString& directory, const QString& filter) override;
  QString saveFileName(const QString& directory, const QString& suggestedName, const QString& filter) override;

  // Answers for the next questions, in order.
  void answerYesNo(std::initializer_list<bool> answers) { yesNo_.append(QList<bool>(answers)); }
  void answerOk(std::initializer_list<bool> answers) { ok_.append(QList<bool>(answers)); }
  void answerFiles(std::initializer_list<QString> names) { files_.append(QStringList(names)); }

  const QList<Shown>& shown() const { return shown_; }
  // Texts of every box shown, in order.
  QStringList texts() const;
  void clear() { shown_.clear(); }

 private:
  QList<Shown> shown_;
  QList<bool> yesNo_;
  QList<bool> ok_;
  QStringList files_;
};

}  // namespace platform
