#pragma once
// The eeprom log reader: runs the command-line writer, decodes its dump of
// the board's eeprom and saves the log as data.csv in the program folder.

#include "companion/companion_host.h"
#include "companion/eeprom_dump.h"
#include "platform/board.h"
#include "platform/processes.h"

#include <functional>

class QCheckBox;
class QLabel;
class QTimer;

namespace bremilo {

class TForm2 : public CompanionWindow {
  Q_OBJECT
 public:
  explicit TForm2(CompanionHost& host);

  void Timer2Timer();
  void Panel2Click();
  void PNLsyuuryouClick();
  void startLinkTimer() override;

  // The clock of data.csv's heading; tests fix it.
  std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
  // How long the writer may take.
  int toolTimeoutMs = 30000;

  QString WorkDir;
  QString HidspxCommand;
  QString commandLine;
  QString csvPath() const { return WorkDir + QStringLiteral("data.csv"); }

  QLabel* Label4 = nullptr;
  platform::ui::LinkPicture* IMGok = nullptr;
  platform::ui::LinkPicture* IMGtyuui = nullptr;
  platform::ui::PanelButton* Panel2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  platform::ui::PanelButton* PNLsyuuryou = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* LBLnen = nullptr;
  QLabel* LBLgatu = nullptr;
  QLabel* LBLniti = nullptr;
  QLabel* LBLjikan = nullptr;
  QLabel* LBLsensor = nullptr;
  QTimer* Timer2 = nullptr;
  QString Memo2;  // the writer's standard output
  QString VErr;   // its standard error, kept but not shown

 protected:
  void leaveRequested() override;

 private:
  void setProgress(const QString& text, quint32 colour);
  // Runs the writer; false when it did not run to its end, after telling the
  // pupil why.
  bool runWriter(platform::RunResult& run);
  // Why nothing was saved from a dump that did not decode, or, after a save,
  // that the writer ended with an error.
  QString noLogText(const platform::RunResult& run, const EepromLog& log) const;
  bool reading_ = false;
  platform::BoardLink link_;
};

}  // namespace bremilo
