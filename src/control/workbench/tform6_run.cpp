// 実行, STOP and 中断 of the workbench window: the window's side of a run.

#include "control/workbench/interpreter.h"
#include "control/workbench/interpreter_text.h"
#include "control/workbench/tform6.h"
#include "control/workbench/tform6_parts.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

namespace pelmora {
namespace {

// What a run shows goes to the window's controls and shared values.
class Form6RunView : public workbench::RunView {
 public:
  explicit Form6RunView(TForm6& form) : f_(form) {}

  QStringList programLines() override { return f_.programLines(); }
  void storeLine(int n, const QString& text) override {
    if (QListWidgetItem* item = f_.LSTpro->item(n)) item->setText(text);
  }
  void selectLine(int n) override {
    f_.LSTpro->clearSelection();
    if (QListWidgetItem* item = f_.LSTpro->item(n)) {
      item->setSelected(true);
      f_.LSTpro->setCurrentItem(item, QItemSelectionModel::NoUpdate);
      f_.LSTpro->scrollToItem(item);
    }
  }
  void showInstruction(const QString& text) override { f_.EDTpro->setText(text); }
  void showLabel(Label which, const QString& text) override {
    switch (which) {
      case Label::I: f_.LBLi->setText(text); break;
      case Label::J: f_.LBLj->setText(text); break;
      case Label::A: f_.LBLa->setText(text); break;
      case Label::PortB: f_.LBLportb->setText(text); break;
    }
  }
  void showOutputs(int portbValue) override {
    f_.portb_value = portbValue;
    f_.showLeds();
  }
  void showDirection(int ddrbValue) override {
    f_.ddrb_value = ddrbValue;
    f_.showDdrb();
  }
  void showPinb(int value) override { f_.showPinb(value); }
  void showPind(int value) override { f_.showPind(value); }
  QString allowedTimeText() override { return f_.Edit4->text(); }
  void autoSave() override { f_.autoSave(); }
  void message(const QString& text) override { f_.ctx().prompts.message(text); }
  void setRunning(bool running) override { f_.setRunLock(running); }

 private:
  TForm6& f_;
};

// Keeps the pupil's clicks and keys off the program list while it shows the
// running line; scrolling stays possible.
class RunInputGuard : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ContextMenu:
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

void TForm6::buildRun() {
  runWait_ = std::make_unique<platform::DeadlineWait>(ctx().clock);
  runView_ = std::make_unique<Form6RunView>(*this);
  interp_ = std::make_unique<workbench::Interpreter>(*runView_, link, *runWait_);
  runInputGuard_ = std::make_unique<RunInputGuard>();
}

bool TForm6::isRunning() const { return interp_->isRunning(); }

void TForm6::PNLjikkouClick() {
  workbench::Interpreter& run = *interp_;
  if (run.isRunning()) return;
  // The run works on the window's shared values and hands them back.
  run.out_time = out_time;
  run.portb_value = portb_value;
  run.ddrb_value = ddrb_value;
  run.pinb_value = pinb_value;
  run.pind_value = pind_value;
  for (size_t n = 0; n < 8; ++n) {
    run.pinb_bits[n] = pinb_bits[n];
    run.pind_bits[n] = pind_bits[n];
  }
  run.run();
  // The run's last output time becomes the panels' time.
  out_time = run.out_time;
  texts.carryOutTime(out_time);
  showTexts();
  for (size_t n = 0; n < 8; ++n) {
    pinb_bits[n] = static_cast<quint8>(run.pinb_bits[n]);
    pind_bits[n] = static_cast<quint8>(run.pind_bits[n]);
  }
}

void TForm6::PNLstopClick() { interp_->requestStop(); }

void TForm6::PNLtyuudanClick() {
  PNLtyuudan->hide();
  interp_->requestPause();
  EDTpro->setText(QString(3 * jisage_level, QLatin1Char(' ')) + workbench::trimBlanks(EDTpro->text()));
}

void TForm6::lockChildren(QWidget* parent) {
  const QList<QWidget*> children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* w : children) {
    if (w == PNLstop || w == PNLtyuudan || w == LSTpro || w == EDTpro || w->isWindow()) continue;
    // Plain labels only show values; they stay readable.
    if (w->metaObject() == &QLabel::staticMetaObject) continue;
    if (w == PNLport) {
      lockChildren(w);
      continue;
    }
    if (!w->isEnabled()) continue;
    w->setEnabled(false);
    runLocked_.append(w);
  }
}

void TForm6::setRunLock(bool running) {
  if (running) {
    Timer2->stop();
    listModeBeforeRun_ = LSTpro->selectionMode();
    LSTpro->setSelectionMode(QAbstractItemView::SingleSelection);
    LSTpro->installEventFilter(runInputGuard_.get());
    LSTpro->viewport()->installEventFilter(runInputGuard_.get());
    EDTpro->setReadOnly(true);
    runLocked_.clear();
    lockChildren(this);
    PNLjikkou->hide();
    PNLtyuudan->show();
    return;
  }
  for (const QPointer<QWidget>& w : runLocked_) {
    if (w) w->setEnabled(true);
  }
  runLocked_.clear();
  EDTpro->setReadOnly(false);
  LSTpro->removeEventFilter(runInputGuard_.get());
  LSTpro->viewport()->removeEventFilter(runInputGuard_.get());
  LSTpro->setSelectionMode(static_cast<QAbstractItemView::SelectionMode>(listModeBeforeRun_));
  PNLtyuudan->hide();
  PNLjikkou->show();
  Timer2->start();
}

}  // namespace pelmora
