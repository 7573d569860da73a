#pragma once
// Starting outside programs. Nothing here goes through a shell: programs get
// an argument list and a working folder.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

struct RunResult {
  bool started = false;
  bool timedOut = false;
  bool crashed = false;
  int exitCode = -1;
  QByteArray output;       // standard output
  QByteArray errorOutput;  // standard error, kept apart so it cannot mix into the output's lines
  QString error;      // why it did not start, for the user
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts a program and returns at once.
  virtual bool start(const QString& program, const QStringList& arguments, const QString& workingDirectory) = 0;
  // "Opens" a file as the desktop would: an executable file is started in the
  // working folder, any other file is handed to its associated program.
  virtual bool open(const QString& file, const QString& workingDirectory) = 0;
  // Runs a program to its end or the time limit and collects its whole output.
  // pump runs about every 20 ms while it waits, so windows stay alive.
  virtual RunResult run(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                        int timeoutMs, const std::function<void()>& pump = {}) = 0;
};

class SystemProcesses : public Processes {
 public:
  // Hands a file that is no program to the desktop; true when that worked.
  using DesktopOpener = std::function<bool(const QString& absolutePath)>;
  // Without an opener, files go to the desktop's associated program.
  explicit SystemProcesses(DesktopOpener desktopOpener = {});
  bool start(const QString& program, const QStringList& arguments, const QString& workingDirectory) override;
  bool open(const QString& file, const QString& workingDirectory) override;
  RunResult run(const QString& program, const QStringList& arguments, const QString& workingDirectory, int timeoutMs,
                const std::function<void()>& pump = {}) override;

 private:
  DesktopOpener desktopOpener_;
};

// Records calls; run() answers from a queue of results (default: not started).
class RecordingProcesses : public Processes {
 public:
  struct Call {
    QString kind;  // "start", "open" or "run"
    QString program;
    QStringList arguments;
    QString workingDirectory;
  };
  bool start(const QString& program, const QStringList& arguments, const QString& workingDirectory) override;
  bool open(const QString& file, const QString& workingDirectory) override;
  RunResult run(const QString& program, const QStringList& arguments, const QString& workingDirectory, int timeoutMs,
                const std::function<void()>& pump = {}) override;

  QList<Call> calls;
  QList<RunResult> results;
  bool startSucceeds = true;
};

}  // namespace platform
