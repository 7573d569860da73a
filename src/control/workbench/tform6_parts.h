#pragma once
// Small controls of the workbench window: a clickable label and the
// direction picture of one port bit.

#include <QLabel>
#include <QWidget>

namespace pelmora::workbench {

// Tells assistive technology that the workbench's clickable labels and
// pictures are push buttons, and lets it press them.
void installAccessibility();

class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  void click() { Q_EMIT clicked(); }

 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

// An arrow: out of the board (output bit) or into it (input bit). Clickable.
class DirectionPicture : public QWidget {
  Q_OBJECT
 public:
  DirectionPicture(bool output, QWidget* parent, int left, int top);
  bool isOutput() const { return output_; }
  void click() { Q_EMIT clicked(); }

 Q_SIGNALS:
  void clicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  bool output_;
};

}  // namespace pelmora::workbench
