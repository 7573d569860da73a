#include "companion/readdata1.h"

#include "platform/colors.h"
#include "platform/textfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

namespace bremilo {

using platform::ui::PanelButton;

TForm2::TForm2(CompanionHost& host)
    : CompanionWindow(host, 3, QStringLiteral("ブレミロさん：スタンドアロン測定データ　読取／保存"), 560, 420),
      link_(host.context().board) {
  WorkDir = ctx().appDir;
  platform::ui::setBackground(this, 0xE0FFE0);

  platform::ui::label(this, QStringLiteral("スタンドアロン測定データの読み取り"), 24, 16, 20, Qt::black, true);
  Label4 = platform::ui::label(this, platform::kLinkCaution, 80, 66, 14);
  Label4->setFixedWidth(320);
  IMGok = new platform::ui::LinkPicture(platform::ui::LinkPicture::Kind::Ok, this, 24, 56);
  IMGtyuui = new platform::ui::LinkPicture(platform::ui::LinkPicture::Kind::Caution, this, 24, 56);
  IMGok->hide();

  Panel2 = new PanelButton(this, QStringLiteral("eepromの読み取り"), 24, 112, 177, 41, 0xFFE0C0);
  CheckBox1 = new QCheckBox(QStringLiteral("今回測定分のみ保存する"), this);
  CheckBox1->setGeometry(224, 122, 220, 22);
  platform::ui::label(this, QStringLiteral("表計算ソフトが開いている場合は閉じて下さい"), 24, 164, 12, platform::bgr(0x800000));

  Label10 = platform::ui::label(this, QString(), 24, 192, 16, Qt::black, true);
  Label10->setFixedWidth(510);
  Label8 = platform::ui::label(this, QString(), 24, 220, 12);
  Label8->setGeometry(24, 220, 510, 70);
  Label8->setWordWrap(true);
  Label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  LBLnen = platform::ui::label(this, QString(), 24, 300, 14);
  LBLgatu = platform::ui::label(this, QString(), 160, 300, 14);
  LBLniti = platform::ui::label(this, QString(), 200, 300, 14);
  LBLjikan = platform::ui::label(this, QString(), 24, 326, 14);
  LBLsensor = platform::ui::label(this, QString(), 200, 326, 14);
  for (QLabel* l : {LBLjikan, LBLsensor}) l->setMinimumWidth(160);

  PNLsyuuryou = new PanelButton(this, QStringLiteral("終了"), 440, 360, 97, 41, 0x8080FF);

  Timer2 = new QTimer(this);
  Timer2->setInterval(1000);
  connect(Timer2, &QTimer::timeout, this, &TForm2::Timer2Timer);
  connect(Panel2, &PanelButton::clicked, this, &TForm2::Panel2Click);
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm2::PNLsyuuryouClick);
}

void TForm2::startLinkTimer() { Timer2->start(); }

void TForm2::Timer2Timer() {
  const int r = link_.detect();
  if (r < 0) {
    Label4->setText(platform::kLinkCaution);
    IMGok->hide();
    IMGtyuui->show();
    return;
  }
  Label4->setText(link_.statusText());
  HidspxCommand = link_.variant() == platform::BoardLink::Variant::Hidaspx ? QStringLiteral("hidspx -ph")
                                                                             : QStringLiteral("hidspx -php");
  IMGok->show();
  IMGtyuui->hide();
}

void TForm2::setProgress(const QString& text, quint32 colour) {
  QPalette pal = Label10->palette();
  pal.setColor(QPalette::WindowText, platform::bgr(colour));
  Label10->setPalette(pal);
  Label10->setText(text);
}

bool TForm2::runWriter(platform::RunResult& run) {
  const QString program = WorkDir + QStringLiteral("hidspx");
  QStringList args = HidspxCommand.split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(1);
  args << QStringLiteral("-reh");
  commandLine = WorkDir + HidspxCommand + QStringLiteral(" -reh");
  Memo2.clear();
  VErr.clear();
  if (!QFileInfo(program).isFile()) {
    ctx().prompts.message(QStringLiteral("hidspxが同じフォルダにありません。"));
    return false;
  }
  run = ctx().processes.run(program, args, WorkDir, toolTimeoutMs, [] { QApplication::processEvents(); });
  Memo2 = platform::cp932::decode(run.output);
  VErr = platform::cp932::decode(run.errorOutput);
  if (!run.started) {
    ctx().prompts.message(QStringLiteral("hidspxを起動できません。（%1）").arg(run.error));
    return false;
  }
  if (run.timedOut) {
    ctx().prompts.message(QStringLiteral("hidspxが%1秒たっても終わらないので止めました。").arg(toolTimeoutMs / 1000));
    return false;
  }
  // An abnormal end: say so, then decode whatever came before it.
  if (run.crashed) ctx().prompts.error(QStringLiteral("QOV"), QStringLiteral("hidspxが同じフォルダにありますか？"));
  return true;
}

QString TForm2::noLogText(const platform::RunResult& run, const EepromLog& log) const {
  if (run.exitCode == 0) return log.error;
  QString text = QStringLiteral("hidspxがエラーで終了しました。（終了コード %1）").arg(run.exitCode);
  const QString detail = VErr.trimmed();
  if (!detail.isEmpty()) text += QStringLiteral("\n") + detail.left(300);
  return text;
}

void TForm2::Panel2Click() {
  if (reading_) return;
  if (!link_.connected() || HidspxCommand.isEmpty()) {
    ctx().prompts.message(platform::kLinkCaution);
    return;
  }
  reading_ = true;
  Timer2->stop();
  PNLsyuuryou->hide();
  Panel2->hide();
  CheckBox1->hide();
  for (QLabel* l : {LBLjikan, LBLnen, LBLgatu, LBLniti, LBLsensor}) l->clear();
  setProgress(QStringLiteral("読み取り→保存中．．．約６秒かかります。"), 128);
  Label8->clear();
  repaint();

  bool saved = false;
  platform::RunResult run;
  if (runWriter(run)) {
    // What decodes is saved whatever the exit code; a writer that failed is
    // named after the save, as its log may end early.
    const EepromLog log = decodeEepromDump(Memo2, CheckBox1->isChecked());
    if (!log.ok) {
      if (!run.crashed) ctx().prompts.message(noLogText(run, log));
    } else {
      // The dump is shown line by line at the pace the pupils know.
      platform::DeadlineWait wait(ctx().clock);
      for (int i = 0; i < 22; ++i) wait.Timeout_Wait(100);
      LBLjikan->setText(log.intervalText);
      LBLnen->setText(log.year);
      LBLgatu->setText(log.month);
      LBLniti->setText(log.day);
      LBLsensor->setText(log.correction);
      // The date parts read as one text: each follows the one before.
      for (QLabel* l : {LBLnen, LBLgatu, LBLniti}) l->adjustSize();
      LBLgatu->move(LBLnen->geometry().right() + 1, LBLnen->y());
      LBLniti->move(LBLgatu->geometry().right() + 1, LBLnen->y());
      const auto result = platform::textfile::writeLines(csvPath(), eepromCsvLines(log, now()));
      if (!result) ctx().prompts.message(result.error + QStringLiteral("\n表計算ソフトが開いている場合は閉じて下さい"));
      saved = result.ok;
      if (saved && run.exitCode != 0 && !run.crashed) ctx().prompts.message(noLogText(run, log));
    }
  }

  if (saved) {
    setProgress(QStringLiteral("読み取り→保存の終了 "), 255);
    QString text = csvPath() + QStringLiteral("　で保存しました。") + QLatin1Char('\n');
    if (!CheckBox1->isChecked()) text += kRunNote + QLatin1Char('\n');
    text += QLatin1Char('\n') + QStringLiteral("再度取り込むときは「eepromの読み取り」ボタンを押して下さい");
    Label8->setText(text);
  } else {
    setProgress(QStringLiteral("読み取りできませんでした。data.csvは変わっていません。"), 255);
  }
  // Every path returns the window to idle.
  Panel2->show();
  CheckBox1->show();
  PNLsyuuryou->show();
  Timer2->start();
  link_.exit();
  reading_ = false;
}

void TForm2::PNLsyuuryouClick() {
  if (reading_) return;
  link_.exit();
  Timer2->stop();
  leaveToMenu();
}

void TForm2::leaveRequested() { PNLsyuuryouClick(); }

}  // namespace bremilo
