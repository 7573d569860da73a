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
#include "platform/board_library.h"
#include "platform/ui/qt_prompts.h"
#include "platform/ui/simulated_board_window.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

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

void showStartWindows(TForm1& menu, platform::ui::AppWindow* boardWindow) {
  if (boardWindow) {
    // Shown first and without taking the focus, so pupil numbers typed at
    // start go into the menu.
    boardWindow->setAttribute(Qt::WA_ShowWithoutActivating);
    boardWindow->placeAt(40, 1 << 20);  // pulled back to the screen's right edge
    boardWindow->show();
  }
  menu.show();
  menu.raise();
  menu.activateWindow();
}

namespace {

// bench/startup sets PELMORA_STARTUP_PROBE to the time it started the process
// (nanoseconds since the epoch); the program then reports how long it took
// until the menu was shown and how much memory it held, and ends.
void reportStartupWhenProbed() {
  const QByteArray probe = qgetenv("PELMORA_STARTUP_PROBE");
  if (probe.isEmpty()) return;
  QApplication::processEvents();
  const qint64 startedNs = probe.toLongLong();
  const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1000000;
  QByteArray rss = "0";
  QFile status(QStringLiteral("/proc/self/status"));
  if (status.open(QIODevice::ReadOnly)) {
    for (const QByteArray& line : status.readAll().split('\n')) {
      if (line.startsWith("VmRSS:")) rss = line.mid(6).trimmed().split(' ').first();
    }
  }
  std::printf("startup_ms=%.1f rss_kb=%s\n", static_cast<double>(nowNs - startedNs) / 1e6, rss.constData());
  std::fflush(stdout);
  QTimer::singleShot(0, qApp, &QApplication::quit);
}

}  // namespace

int runPelmora(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("pelmora"));
  QApplication::setQuitOnLastWindowClosed(false);
  platform::ui::installJapaneseTranslations();
  platform::ui::installAccessibility();

  platform::ui::QtPrompts qtPrompts(QStringLiteral("pelmora"));
  // A probed start answers its boxes itself, so nothing waits for a person.
  platform::ScriptedPrompts probePrompts;
  platform::Prompts& prompts =
      qEnvironmentVariableIsSet("PELMORA_STARTUP_PROBE") ? static_cast<platform::Prompts&>(probePrompts) : qtPrompts;
  platform::LockFileGuard guard(QFileInfo(QApplication::applicationFilePath()).fileName());
  if (!passInstanceGuard(guard, prompts)) return 0;

  const bool simulated = QApplication::arguments().contains(QStringLiteral("--simulated-board"));
  const QString appDir = platform::programFolder();
  // Loaded once, before any window links to it; the simulated board wins.
  std::unique_ptr<platform::Board> libraryBoard;
  if (!simulated)
    libraryBoard = platform::openBoard(platform::boardLibraryPlaces(appDir), QStringLiteral("pelmora"), stderr);
  platform::SimulatedBoard simulatedBoard;
  platform::SystemProcesses processes;
  platform::RealClock clock;
  platform::AppContext ctx{appDir, simulated ? static_cast<platform::Board&>(simulatedBoard) : *libraryBoard, prompts,
                           processes, clock};
  PelmoraWindows windows(ctx);
  QObject::connect(windows.form1.get(), &TForm1::endRequested, &app, &platform::ui::endProgram, Qt::QueuedConnection);
  // Lets a person watch the LEDs and set the inputs without hardware.
  std::unique_ptr<platform::ui::SimulatedBoardWindow> boardWindow;
  if (simulated) boardWindow = std::make_unique<platform::ui::SimulatedBoardWindow>(simulatedBoard);
  showStartWindows(*windows.form1, boardWindow.get());
  reportStartupWhenProbed();
  const int rc = app.exec();
  guard.release();
  return rc;
}

}  // namespace pelmora
