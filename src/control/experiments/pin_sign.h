#pragma once
// The output and input signs of one pin of port B: small drawn pictures that
// are clicked to switch the pin's direction.

#include "platform/ui/widgets.h"

namespace pelmora {

class PinSign : public platform::ui::PanelButton {
  Q_OBJECT
 public:
  enum class Kind { Output, Input };
  PinSign(Kind kind, int bit, QWidget* parent, int left, int top, int size);
  Kind kind() const { return kind_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Kind kind_;
};

}  // namespace pelmora
