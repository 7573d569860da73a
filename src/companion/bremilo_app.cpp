#include "companion/bremilo_app.h"

#include "companion/help_pages.h"
#include "companion/menu.h"
#include "companion/readdata1.h"
#include "companion/sireal.h"
#include "platform/board_library.h"
#include "platform/ui/qt_prompts.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace bremilo {

BremiloWindows::BremiloWindows(const platform::AppContext& ctx) {
  // Windows are destroyed in reverse order, the menu last: they refer to it.
  form1 = std::make_unique<TForm1>(ctx);
  form2 = std::make_unique<TForm2>(*form1);
  form4 = std::make_unique<TForm4>(*form1);
  form5 = std::make_unique<TForm5>(*form1);
  form6 = std::make_unique<TForm6>(*form1);
  form7 = std::make_unique<TForm7>(*form1);
  form8 = std::make_unique<TForm8>(*form1);
  form9 = std::make_unique<TForm9>(*form1, *form6);
  form1->attachWindows({form2.get(), form4.get(), form5.get(), form7.get(), form8.get(), form9.get()});
}

BremiloWindows::~BremiloWindows() {
  form9.reset();
  form8.reset();
  form7.reset();
  form6.reset();
  form5.reset();
  form4.reset();
  form2.reset();
  form1.reset();
}

int simulatedMeasurement(qint64 ms) {
  const double t = static_cast<double>(ms) / 1000.0;
  const double v = 20.0 + 6.0 * std::sin(2.0 * std::numbers::pi * t / 90.0) + 2.0 * std::sin(2.0 * std::numbers::pi * t / 17.0);
  return static_cast<int>(std::lround(v));
}

int runBremilo(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("bremilo"));
  QApplication::setQuitOnLastWindowClosed(false);
  platform::ui::installJapaneseTranslations();
  platform::ui::installAccessibility();

  platform::ui::QtPrompts prompts(QStringLiteral("bremilo"));
  const bool simulated = QApplication::arguments().contains(QStringLiteral("--simulated-board"));
  const QString appDir = platform::programFolder();
  // Loaded once, before any window links to it; the simulated board wins.
  std::unique_ptr<platform::Board> libraryBoard;
  if (!simulated)
    libraryBoard = platform::openBoard(platform::boardLibraryPlaces(appDir), QStringLiteral("bremilo"), stderr);
  platform::SimulatedBoard simulatedBoard;
  QElapsedTimer sinceStart;
  sinceStart.start();
  // The simulated board plays the measuring board with a slowly changing value.
  simulatedBoard.setFrameSource([&sinceStart] { return simulatedMeasurement(sinceStart.elapsed()); });
  platform::SystemProcesses processes;
  platform::RealClock clock;
  platform::AppContext ctx{appDir, simulated ? static_cast<platform::Board&>(simulatedBoard) : *libraryBoard, prompts,
                           processes, clock};
  BremiloWindows windows(ctx);
  QObject::connect(windows.form1.get(), &TForm1::endRequested, &app, &platform::ui::endProgram, Qt::QueuedConnection);
  windows.form1->show();
  return app.exec();
}

}  // namespace bremilo
