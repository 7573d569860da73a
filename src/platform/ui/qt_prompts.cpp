#include "platform/ui/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace platform::ui {

namespace {
QWidget* owner() { return QApplication::activeWindow(); }
}  // namespace

void QtPrompts::message(const QString& text) { QMessageBox::information(owner(), title_, text); }

void QtPrompts::error(const QString& caption, const QString& text) { QMessageBox::critical(owner(), caption, text); }

bool QtPrompts::askYesNo(const QString& text) {
  return QMessageBox::question(owner(), title_, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
         QMessageBox::Yes;
}

bool QtPrompts::confirmOk(const QString& text) {
  QMessageBox box(QMessageBox::Question, title_, text, QMessageBox::Ok, owner());
  return box.exec() == QMessageBox::Ok;
}

void QtPrompts::confirmYes(const QString& text) {
  QMessageBox box(QMessageBox::Question, title_, text, QMessageBox::Yes, owner());
  box.exec();
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
