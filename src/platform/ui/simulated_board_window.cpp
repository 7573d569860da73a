#include "platform/ui/simulated_board_window.h"

#include <QCheckBox>
#include <QLabel>

namespace platform::ui {

namespace {

std::array<QCheckBox*, 8> switchRow(QWidget* parent, const QString& port, int value, int left, int top,
                                    const std::function<void()>& changed) {
  std::array<QCheckBox*, 8> row{};
  for (int bit = 7; bit >= 0; --bit) {
    auto* box = new QCheckBox(parent);
    box->setGeometry(left + (7 - bit) * 32 + 5, top, 20, 20);
    box->setChecked((value >> bit) & 1);
    box->setAccessibleName(QStringLiteral("%1%2").arg(port).arg(bit));
    QObject::connect(box, &QCheckBox::toggled, parent, changed);
    row[static_cast<size_t>(bit)] = box;
  }
  return row;
}

int bitsOf(const std::array<QCheckBox*, 8>& row) {
  int v = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (row[static_cast<size_t>(bit)]->isChecked()) v |= 1 << bit;
  }
  return v;
}

}  // namespace

SimulatedBoardWindow::SimulatedBoardWindow(SimulatedBoard& board, QWidget* parent)
    : AppWindow(parent), board_(board) {
  setWindowTitle(QStringLiteral("シミュレーションボード"));
  setFixedSize(340, 170);
  constexpr int kLeft = 70;
  for (int bit = 7; bit >= 0; --bit) {
    auto* l = label(this, QStringLiteral("%1").arg(bit), kLeft + (7 - bit) * 32 + 9, 10);
    l->setFixedWidth(12);
  }
  label(this, QStringLiteral("PORTB"), 12, 36);
  leds = new LedRow(this, kLeft, 32);
  for (int bit = 0; bit < 8; ++bit) leds->panel(bit)->setEnabled(false);  // a display, not a control
  label(this, QStringLiteral("PINB"), 12, 80);
  pinbSwitch = switchRow(this, QStringLiteral("PINB"), board.pinb(), kLeft, 78,
                         [this] { board_.setPinb(bitsOf(pinbSwitch)); });
  label(this, QStringLiteral("PIND"), 12, 116);
  pindSwitch = switchRow(this, QStringLiteral("PIND"), board.pind(), kLeft, 114,
                         [this] { board_.setPind(bitsOf(pindSwitch)); });
  refresh();
  board_.onChange = [this] { refresh(); };
}

SimulatedBoardWindow::~SimulatedBoardWindow() { board_.onChange = nullptr; }

void SimulatedBoardWindow::refresh() { leds->showValue(litLeds(board_.ddrb(), board_.portb())); }

}  // namespace platform::ui
