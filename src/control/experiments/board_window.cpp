#include "control/experiments/board_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace pelmora {

using platform::ui::LinkPicture;

BoardWindow::BoardWindow(ToolHost& host, int firstEntry, const QString& caption, int width, int height,
                         int timerInterval)
    : ToolWindow(host, firstEntry, caption, width, height), link(host.context().board) {
  Timer2 = new QTimer(this);
  Timer2->setInterval(timerInterval);
  Edit1 = new QLineEdit(this);
  Edit1->hide();
}

void BoardWindow::startLinkTimer() { Timer2->start(); }

bool BoardWindow::linkStep() {
  const int r = link.detect();
  Edit1->setText(QString::number(r));
  Label4->setText(link.statusText());
  Label4->adjustSize();
  IMGok->setVisible(r >= 0);
  IMGtyuui->setVisible(r < 0);
  return r >= 0;
}

void BoardWindow::finishLeave() {
  link.exit();
  Timer2->stop();
  leaveToMenu();
}

void BoardWindow::addTitles(const QString& subtitle) {
  platform::ui::label(this, QStringLiteral("Tesk制御"), 16, 8, 22, QColor(0, 0, 128), true);
  platform::ui::label(this, QStringLiteral("ペルモラ"), 20, 38, 16, QColor(0, 0, 128), true);
  platform::ui::label(this, subtitle, 170, 14, 26, QColor(128, 0, 0), true);
}

void BoardWindow::placeLinkStatus(int left, int top) {
  IMGok = new LinkPicture(LinkPicture::Kind::Ok, this, left, top);
  IMGtyuui = new LinkPicture(LinkPicture::Kind::Caution, this, left, top);
  IMGok->hide();
  Label4 = platform::ui::label(this, platform::kLinkCaution, left + 50, top + 11, 15, QColor(0, 0, 160), true);
}

void BoardWindow::addBitHeader(int left, int top, int step, int width, QWidget* parent) {
  for (int bit = 7; bit >= 0; --bit) {
    auto* l = platform::ui::label(parent ? parent : this, QStringLiteral("B%1").arg(bit), 0, top, 12);
    l->setFixedWidth(width + 8);
    l->setAlignment(Qt::AlignHCenter);
    l->move(left + (7 - bit) * step - 4, top);
  }
}

}  // namespace pelmora
