#include "control/shell/pelmora_app.h"

#include "control/experiments/tform2.h"
#include "control/experiments/tform3.h"
#include "control/experiments/tform4.h"
#include "control/experiments/tform5.h"
#include "control/musicbox/tform8.h"
#include "control/shell/tform1.h"
#include "control/shell/tform9.h"
#include "control/signboard/tform7.h"
#include "control/workbench/tform6.h"
#include "platform/ui/qt_prompts.h"

#include <QApplication>
#include <QFileInfo>

namespace pelmora {

bool passInstanceGuard(platform::InstanceGuard& guard, platform::Prompts& prompts) {
  switch (guard.acquire()) {
    case platform::InstanceGuard::State::First: return true;
    case platform::InstanceGuard::State::Failed: return false;
    case platform::InstanceGuard::State::AlreadyRunning:
      // Whatever closes the box, the second copy ends.
      prompts.confirmOk(QStringLiteral("すでに起動されています"));
      return false;
  }
  return false;
}

PelmoraWindows::PelmoraWindows(const platform::AppContext& ctx, platform::OutsideWindows* outsideWindows) {
  if (!outsideWindows) {
    ownOutsideWindows = std::make_unique<platform::AccessibilityWindows>();
    outsideWindows = ownOutsideWindows.get();
  }
  form1 = std::make_unique<TForm1>(ctx);
  form2 = std::make_unique<TForm2>(*form1);
  form6 = std::make_unique<TForm6>(*form1);
  form3 = std::make_unique<TForm3>(*form1);
  form4 = std::make_unique<TForm4>(*form1);
  form5 = std::make_unique<TForm5>(*form1);
  form7 = std::make_unique<TForm7>(*form1);
  form8 = std::make_unique<TForm8>(*form1);
  form9 = std::make_unique<TForm9>(ctx, *outsideWindows);
  form1->attachTools({form2.get(), form6.get(), form3.get(), form4.get(), form5.get(), form7.get(), form8.get(),
                      form9.get()});
}

PelmoraWindows::~PelmoraWindows() = default;

int runPelmora(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("pelmora"));
  QApplication::setApplicationDisplayName(QStringLiteral("pelmora"));
  QApplication::setQuitOnLastWindowClosed(false);
  platform::ui::installJapaneseTranslations();
  platform::ui::installAccessibility();

  platform::ui::QtPrompts prompts(QStringLiteral("pelmora"));
  platform::LockFileGuard guard(QFileInfo(QApplication::applicationFilePath()).fileName());
  if (!passInstanceGuard(guard, prompts)) return 0;

  const bool simulated = QApplication::arguments().contains(QStringLiteral("--simulated-board"));
  platform::NoBoard noBoard;
  platform::SimulatedBoard simulatedBoard;
  platform::SystemProcesses processes;
  platform::RealClock clock;
  platform::AppContext ctx{platform::programFolder(),
                           simulated ? static_cast<platform::Board&>(simulatedBoard) : noBoard, prompts, processes,
                           clock};
  PelmoraWindows windows(ctx);
  QObject::connect(windows.form1.get(), &TForm1::endRequested, &app, &QApplication::quit, Qt::QueuedConnection);
  windows.form1->show();
  const int rc = app.exec();
  guard.release();
  return rc;
}

}  // namespace pelmora
