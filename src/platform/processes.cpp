#include "platform/processes.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <signal.h>
#include <unistd.h>

namespace platform {

SystemProcesses::SystemProcesses(DesktopOpener desktopOpener) : desktopOpener_(std::move(desktopOpener)) {}

bool SystemProcesses::start(const QString& program, const QStringList& arguments, const QString& workingDirectory) {
  return QProcess::startDetached(program, arguments, workingDirectory);
}

bool SystemProcesses::open(const QString& file, const QString& workingDirectory) {
  QFileInfo info(file);
  if (!info.isFile()) return false;
  if (info.isExecutable()) return QProcess::startDetached(info.absoluteFilePath(), {}, workingDirectory);
  // The desktop takes no working folder: the associated program starts in
  // this process's current folder, the program folder.
  if (desktopOpener_) return desktopOpener_(info.absoluteFilePath());
  return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

RunResult SystemProcesses::run(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                               int timeoutMs, const std::function<void()>& pump) {
  RunResult result;
  QProcess process;
  process.setProcessChannelMode(QProcess::SeparateChannels);
  process.setWorkingDirectory(workingDirectory);
  // A group of its own, so that on the time limit whatever it started (a
  // wrapper script's children) ends with it.
  process.setChildProcessModifier([] { ::setpgid(0, 0); });
  process.start(program, arguments, QIODevice::ReadWrite);
  if (!process.waitForStarted(5000)) {
    result.error = process.errorString();
    return result;
  }
  process.closeWriteChannel();
  result.started = true;
  QElapsedTimer clock;
  clock.start();
  while (!process.waitForFinished(20)) {
    // Before the check: the pump's events may be what sees the program end.
    if (pump) pump();
    if (process.state() == QProcess::NotRunning) break;
    result.output += process.readAllStandardOutput();
    result.errorOutput += process.readAllStandardError();
    if (clock.elapsed() > timeoutMs) {
      result.timedOut = true;
      // The program is not yet reaped, so its pid, the group's id, cannot
      // have been given to another process.
      const pid_t group = static_cast<pid_t>(process.processId());
      if (group <= 0 || ::kill(-group, SIGKILL) != 0) process.kill();
      process.waitForFinished(1000);
      result.output += process.readAllStandardOutput();
      result.errorOutput += process.readAllStandardError();
      return result;
    }
  }
  result.output += process.readAllStandardOutput();
  result.errorOutput += process.readAllStandardError();
  result.crashed = process.exitStatus() == QProcess::CrashExit;
  result.exitCode = process.exitCode();
  return result;
}

bool RecordingProcesses::start(const QString& program, const QStringList& arguments, const QString& workingDirectory) {
  calls.append({QStringLiteral("start"), program, arguments, workingDirectory});
  return startSucceeds;
}

bool RecordingProcesses::open(const QString& file, const QString& workingDirectory) {
  calls.append({QStringLiteral("open"), file, {}, workingDirectory});
  return startSucceeds;
}

RunResult RecordingProcesses::run(const QString& program, const QStringList& arguments,
                                  const QString& workingDirectory, int, const std::function<void()>&) {
  calls.append({QStringLiteral("run"), program, arguments, workingDirectory});
  if (results.isEmpty()) return RunResult{};
  return results.takeFirst();
}

}  // namespace platform
