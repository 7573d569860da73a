#include "platform/ui/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace platform::ui {

namespace {
QWidget* owner() { return QApplication::activeWindow(); }

// An invisible break point after every kRun characters that have none.
QString withBreakPoints(const QString& text) {
  constexpr int kRun = 24;
  QString out;
  out.reserve(text.size() + text.size() / kRun);
  int run = 0;
  for (QChar c : text) {
    out += c;
    if (c.isSpace() || c == QLatin1Char('/') || c == QLatin1Char('-')) {
      run = 0;
    } else if (++run == kRun) {
      out += QChar(0x200B);
      run = 0;
    }
  }
  return out;
}
}  // namespace

std::unique_ptr<QMessageBox> makeBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons, QWidget* owner) {
  return std::make_unique<QMessageBox>(icon, title, withBreakPoints(text), buttons, owner);
}

void QtPrompts::message(const QString& text) {
  makeBox(QMessageBox::Information, title_, text, QMessageBox::Ok, owner())->exec();
}

void QtPrompts::error(const QString& caption, const QString& text) { QMessageBox::critical(owner(), caption, text); }

bool QtPrompts::askYesNo(const QString& text) {
  auto box = makeBox(QMessageBox::Question, title_, text, QMessageBox::Yes | QMessageBox::No, owner());
  box->setDefaultButton(QMessageBox::Yes);
  return box->exec() == QMessageBox::Yes;
}

bool QtPrompts::confirmOk(const QString& text) {
  return makeBox(QMessageBox::Question, title_, text, QMessageBox::Ok, owner())->exec() == QMessageBox::Ok;
}

void QtPrompts::confirmYes(const QString& text) {
  makeBox(QMessageBox::Question, title_, text, QMessageBox::Yes, owner())->exec();
}

QString QtPrompts::openFileName(const QString& directory, const QString& filter) {
  return QFileDialog::getOpenFileName(owner(), QString(), directory, filter);
}

QString QtPrompts::saveFileName(const QString& directory, const QString& suggestedName, const QString& filter) {
  return QFileDialog::getSaveFileName(owner(), QString(), directory + suggestedName, filter);
}

void installJapaneseTranslations() {
  auto* translator = new QTranslator(qApp);
  if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

}  // namespace platform::ui
