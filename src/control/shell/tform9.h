#pragma once
// The upload progress window: drives the outside compiler and writer.

#include "platform/context.h"
#include "platform/ui/widgets.h"

class QPushButton;

namespace pelmora {

class TForm9 : public platform::ui::AppWindow {
  Q_OBJECT
 public:
  explicit TForm9(const platform::AppContext& ctx);
  void upload();

  QPushButton* Button1 = nullptr;

 private:
  const platform::AppContext& ctx_;
};

}  // namespace pelmora
