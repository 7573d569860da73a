#include "control/shell/tform9.h"

#include "control/shell/status_file.h"
#include "platform/colors.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace pelmora {

namespace {

const QString CR = QStringLiteral("\r");
const QString kWriterTitle = QStringLiteral("QOV_mini");
const QString kCompiled = QStringLiteral("mirvotak.hexを生成しました。");

QLabel* stageLabel(QWidget* parent, const QString& text, int top) {
  QLabel* l = platform::ui::label(parent, text, 32, top, 21, platform::bgr(platform::clBlue), true);
  l->hide();
  return l;
}

QLabel* verdictLabel(QWidget* parent, int top) {
  QLabel* l = platform::ui::label(parent, QString(), 44, top);
  l->setFixedWidth(539 - 44 - 8);
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->hide();
  return l;
}

QString reasonFor(StatusLine::State state, const QString& who, const QString& file) {
  switch (state) {
    case StatusLine::State::Missing: return who + QStringLiteral("の結果「") + file + QStringLiteral("」が有りません！");
    case StatusLine::State::Stale:
      return who + QStringLiteral("の結果「") + file + QStringLiteral("」が今回書かれていません！");
    case StatusLine::State::Unreadable:
      return who + QStringLiteral("の結果「") + file + QStringLiteral("」を読めません！");
    case StatusLine::State::Fresh: break;
  }
  return {};
}

}  // namespace

TForm9::TForm9(const platform::AppContext& ctx, platform::OutsideWindows& windows) : ctx_(ctx), windows_(windows) {
  setWindowTitle(QStringLiteral("アップロード進行表"));
  setFixedSize(539, 375);
  move(0, 116);
  platform::ui::setBackground(this, platform::clCream);

  Label1 = stageLabel(this, QStringLiteral("機械語にコンパイル中"), 16);
  label4 = verdictLabel(this, 48);
  Label2 = stageLabel(this, QStringLiteral("ヒューズ設定中"), 144);
  Label3 = stageLabel(this, QStringLiteral("プログラムを書き込み中"), 184);
  Label5 = verdictLabel(this, 224);
  Button1 = new QPushButton(QStringLiteral("閉じる"), this);
  Button1->setGeometry(432, 8, 89, 25);
  connect(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
}

QString TForm9::shown(const QString& crText) {
  QString s = crText;
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

void TForm9::Button1Click() { hide(); }

void TForm9::setText(QLabel* label, const QString& crText) {
  label->setText(shown(crText));
  label->adjustSize();
}

void TForm9::pause(int ms) { ctx_.clock.waitHoldingInput(ms); }

QString TForm9::folderPart() const {
  const QString before = QStringLiteral("「");
  const QString after = QStringLiteral("」フォルダに");
  // A long program folder is shortened in the middle so the verdict keeps to
  // its lines and does not run into the stage labels below it.
  const QFontMetrics fm(label4->font());
  const int room = label4->width() - fm.horizontalAdvance(before + after) - 8;
  const QString folder = QDir::toNativeSeparators(ctx_.path(QStringLiteral("mirvotak")));
  return before + fm.elidedText(folder, Qt::ElideMiddle, room) + after;
}

void TForm9::upload() {
  // The wait lets timers run; a second request meanwhile must not start over.
  if (running_) return;
  running_ = true;
  show();
  raise();
  Label1->show();
  Label2->hide();
  Label3->hide();
  for (QLabel* l : {label4, Label5}) {
    setText(l, QString());
    l->hide();
  }
  Button1->hide();
  repaint();

  if (compile()) write();

  Button1->show();
  Label5->show();
  repaint();
  running_ = false;
}

bool TForm9::compile() {
  const QString folder = ctx_.path(QStringLiteral("mirvotak/"));
  const QString status = folder + QStringLiteral("mirvotak.ini");
  const FileStamp before = stampOf(status);
  const QString saved = folderPart() + CR + QStringLiteral("「mirvotak.bas」を保存") + CR + CR;

  QString reason;
  if (ctx_.processes.open(folder + QStringLiteral("mirvotak.exe"), folder)) {
    pause(2000);
    const StatusLine line = readStatusLine(status, 1, before);
    if (line.state == StatusLine::State::Fresh) LineBuffer = line.line;
    else reason = reasonFor(line.state, QStringLiteral("コンパイラ"), QStringLiteral("mirvotak.ini"));
  } else {
    reason = QStringLiteral("「mirvotak.exe」を起動できません！");
  }

  const bool ok = reason.isEmpty() && LineBuffer == kCompiled;
  if (ok) {
    setText(label4, saved + QStringLiteral("コンパイルに成功！") + CR + CR + folderPart() + CR +
                        QStringLiteral("「mirvotak.hex」を生成しました。"));
  } else {
    setText(label4, saved + QStringLiteral("コンパイルに失敗！") + CR + CR +
                        (reason.isEmpty() ? QStringLiteral("プログラムに間違いがないか、確認してください。") : reason));
  }
  label4->show();
  repaint();
  return ok;
}

void TForm9::write() {
  const QString status = ctx_.path(QStringLiteral("qov_mini.ini"));
  const FileStamp before = stampOf(status);
  const QString failed = QStringLiteral("書き込みに失敗！") + CR + CR +
                         QStringLiteral("「mirvotak.hex」をマイコンに書き込みに失敗しました。") + CR + CR;

  if (!ctx_.processes.open(ctx_.path(QStringLiteral("QOV_mini.exe")), ctx_.appDir)) {
    setText(Label5, failed + QStringLiteral("「QOV_mini.exe」を起動できません！"));
    return;
  }
  Label2->show();
  repaint();
  pause(1000);

  const platform::WindowHandle writer = windows_.findTopLevel(kWriterTitle);
  if (!writer) {
    setText(Label5, failed + QStringLiteral("書き込みソフト「QOV_mini」の画面が見つかりません！"));
    return;
  }
  pressWriterButton(writer, QStringLiteral("読み出し"), 500);
  pressWriterButton(writer, QStringLiteral("ヒューズ設定"), 500);
  pressWriterButton(writer, QStringLiteral("出荷時に戻す"), 1000);
  Label3->show();
  repaint();
  pressWriterButton(writer, QStringLiteral("プログラム書き込み"), 500);

  if (const platform::WindowHandle again = windows_.findTopLevel(kWriterTitle)) windows_.close(again);
  pause(2000);

  const StatusLine line = readStatusLine(status, 6, before);
  if (line.state != StatusLine::State::Fresh) {
    setText(Label5, failed + reasonFor(line.state, QStringLiteral("書き込みソフト"), QStringLiteral("qov_mini.ini")));
    return;
  }
  LineBuffer = line.line;
  if (LineBuffer == QLatin1String("Passed")) {
    setText(Label5, QStringLiteral("書き込みに成功！") + CR + CR + QStringLiteral("マイコンのヒューズ設定を「出荷時」に設定") +
                        CR + CR + QStringLiteral("「mirvotak.hex」をマイコンに書き込みました。"));
  } else {
    setText(Label5, failed + LineBuffer);
  }
}

void TForm9::pressWriterButton(platform::WindowHandle writer, const QString& caption, int waitAfterMs) {
  if (const platform::WindowHandle button = windows_.findChild(writer, caption)) {
    windows_.leftButtonDown(button);
    pause(100);
    windows_.leftButtonUp(button);
  }
  pause(waitAfterMs);
}

}  // namespace pelmora
