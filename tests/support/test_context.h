#pragma once
// A program folder in a temporary directory with the test doubles of every
// platform layer, and a stand-in for the main menu that tool windows talk to.

#include "control/common/tool_host.h"
#include "platform/board.h"
#include "platform/clock.h"
#include "platform/context.h"
#include "platform/processes.h"
#include "platform/prompts.h"

#include <QDir>
#include <QTemporaryDir>

#include <array>

namespace testsupport {

struct TestContext {
  TestContext() : ctx{dir.path() + QStringLiteral("/"), board, prompts, processes, clock} {
    QDir(dir.path()).mkdir(QStringLiteral("data"));
  }
  QString path(const QString& relative) const { return ctx.path(relative); }

  QTemporaryDir dir;
  platform::SimulatedBoard board{platform::SimulatedBoard::kWholeLog};
  platform::ScriptedPrompts prompts;
  platform::RecordingProcesses processes;
  platform::VirtualClock clock;
  platform::AppContext ctx;
};

class FakeHost : public pelmora::ToolHost {
 public:
  explicit FakeHost(TestContext& t) : t_(t) {}
  const platform::AppContext& context() const override { return t_.ctx; }
  QString pupilNumber() const override { return pupil; }
  bool oneStepUpload() const override { return douji; }
  int targetCircuit() const override { return circuit; }
  void storePosition(int firstEntry, int top, int left) override {
    positions[static_cast<size_t>(firstEntry)] = top;
    positions[static_cast<size_t>(firstEntry + 1)] = left;
  }
  int position(int entry) const override { return positions[static_cast<size_t>(entry)]; }
  void showMenu() override { ++menuShown; }
  void upload() override { ++uploads; }

  QString pupil = QStringLiteral("12");
  bool douji = false;
  int circuit = 1;
  std::array<int, 20> positions{};
  int menuShown = 0;
  int uploads = 0;

 private:
  TestContext& t_;
};

}  // namespace testsupport
