#pragma once
// Program start of pelmora: the single-instance guard and the nine windows.

#include "platform/context.h"
#include "platform/instance_guard.h"
#include "platform/outside_windows.h"
#include "platform/ui/widgets.h"

#include <memory>

namespace pelmora {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;

// false: this copy must end (another runs, or the guard could not be taken).
bool passInstanceGuard(platform::InstanceGuard& guard, platform::Prompts& prompts);

// All windows, created once in the program's fixed order and kept for the
// whole run.
struct PelmoraWindows {
  // outsideWindows: how the upload step finds the writer's window; the
  // desktop's accessibility bus when none is given.
  explicit PelmoraWindows(const platform::AppContext& ctx, platform::OutsideWindows* outsideWindows = nullptr);
  ~PelmoraWindows();
  std::unique_ptr<platform::OutsideWindows> ownOutsideWindows;
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TForm2> form2;
  std::unique_ptr<TForm6> form6;
  std::unique_ptr<TForm3> form3;
  std::unique_ptr<TForm4> form4;
  std::unique_ptr<TForm5> form5;
  std::unique_ptr<TForm7> form7;
  std::unique_ptr<TForm8> form8;
  std::unique_ptr<TForm9> form9;
};

// Shows the menu at start, and beside it the simulated board's window when
// there is one; the pupil number box has the focus.
void showStartWindows(TForm1& menu, platform::ui::AppWindow* boardWindow);

int runPelmora(int argc, char** argv);

}  // namespace pelmora
