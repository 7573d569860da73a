// Runs a Do-Loop blink program of the repetition experiment for 10 s on the
// simulated board with the real clock, then prints the CPU time the run used
// and how far each step was from the requested 300 ms.
//
//   build/bin/repetition_bench [seconds]
//
// Targets: under 2% of one core, every step within 2 ms. Exit code 1 when a
// target is missed.

#include "control/experiments/tform3.h"
#include "platform/board.h"
#include "platform/clock.h"
#include "platform/processes.h"
#include "platform/prompts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

class BenchHost : public pelmora::ToolHost {
 public:
  explicit BenchHost(const platform::AppContext& ctx) : ctx_(ctx) {}
  const platform::AppContext& context() const override { return ctx_; }
  QString pupilNumber() const override { return QStringLiteral("1"); }
  bool oneStepUpload() const override { return false; }
  int targetCircuit() const override { return 1; }
  void storePosition(int, int, int) override {}
  int position(int) const override { return 0; }
  void showMenu() override {}
  void upload() override {}

 private:
  const platform::AppContext& ctx_;
};

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// How late this machine wakes a thread from a plain 100 ms sleep: the floor
// under any step error, whatever the wait does.
double worstPlainSleepLateness() {
  using namespace std::chrono;
  double worst = 0;
  for (int i = 0; i < 10; ++i) {
    const auto t0 = steady_clock::now();
    std::this_thread::sleep_for(milliseconds(100));
    worst = std::max(worst, duration<double, std::milli>(steady_clock::now() - t0).count() - 100.0);
  }
  return worst;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

  platform::SimulatedBoard board;
  platform::ScriptedPrompts prompts;
  platform::RecordingProcesses processes;
  platform::RealClock clock;
  platform::AppContext ctx{QDir::tempPath() + QStringLiteral("/"), board, prompts, processes, clock};
  BenchHost host(ctx);
  pelmora::TForm3 window(host);
  window.show();
  window.Timer2Timer();

  QElapsedTimer wall;
  std::vector<qint64> portWrites;  // nanoseconds
  board.onChange = [&] {
    if (board.calls().last().text == QStringLiteral("PORTB")) portWrites.push_back(wall.nsecsElapsed());
  };
  QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &window, [&] { window.pnlstopClick(); });

  wall.start();
  const double cpu0 = cpuSeconds();
  window.PNLproClick(pelmora::TForm3::DoLoop, 2);
  const double cpu = cpuSeconds() - cpu0;
  const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;

  std::printf("step  interval_ms  error_ms\n");
  double worst = 0, total = 0;
  for (size_t i = 1; i < portWrites.size(); ++i) {
    const double ms = static_cast<double>(portWrites[i] - portWrites[i - 1]) / 1e6;
    const double error = ms - 300.0;
    worst = std::max(worst, std::fabs(error));
    total += error;
    std::printf("%4zu  %11.3f  %+8.3f\n", i, ms, error);
  }
  const double share = 100.0 * cpu / elapsed;
  std::printf("\nrun %.3f s, %zu steps, CPU %.3f s = %.2f%% of one core (target < 2%%)\n", elapsed,
              portWrites.empty() ? 0 : portWrites.size() - 1, cpu, share);
  const size_t steps = portWrites.size() > 1 ? portWrites.size() - 1 : 1;
  std::printf("step error: worst %.3f ms, mean %+.3f ms (target: every step within 2 ms)\n", worst,
              total / static_cast<double>(steps));
  std::printf("this machine wakes a plain 100 ms sleep up to %.3f ms late\n", worstPlainSleepLateness());
  const bool met = share < 2.0 && worst <= 2.0;
  std::printf("%s\n", met ? "targets met" : "TARGETS MISSED");
  return met ? 0 : 1;
}
