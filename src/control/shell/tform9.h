#pragma once
// The upload progress window: compiles mirvotak/mirvotak.bas with the outside
// compiler and writes the result into the microcontroller with the outside
// writer, showing each stage and each program's verdict.

#include "platform/context.h"
#include "platform/outside_windows.h"
#include "platform/ui/widgets.h"

class QLabel;
class QPushButton;

namespace pelmora {

class TForm9 : public platform::ui::AppWindow {
  Q_OBJECT
 public:
  TForm9(const platform::AppContext& ctx, platform::OutsideWindows& windows);

  // Runs the whole step and returns when it is finished; the window stays open.
  void upload();
  void Button1Click();

  // Label texts break lines with CR; what the labels show has line feeds.
  static QString shown(const QString& crText);

  QLabel* Label1 = nullptr;  // compile stage
  QLabel* label4 = nullptr;  // compile verdict
  QLabel* Label2 = nullptr;  // writer started, fuse stage
  QLabel* Label3 = nullptr;  // program-writing stage
  QLabel* Label5 = nullptr;  // write verdict
  QPushButton* Button1 = nullptr;
  // The status line read last: the compiler's first line or the writer's sixth.
  QString LineBuffer;

 private:
  bool compile();
  void write();
  void pressWriterButton(platform::WindowHandle writer, const QString& caption, int waitAfterMs);
  void setText(QLabel* label, const QString& crText);
  void pause(int ms);
  QString folderPart() const;

  const platform::AppContext& ctx_;
  platform::OutsideWindows& windows_;
  bool running_ = false;
};

}  // namespace pelmora
