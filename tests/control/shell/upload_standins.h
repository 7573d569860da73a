#pragma once
// Stand-ins for the outside compiler and writer: small shell scripts written
// into a test's program folder under the names the upload step starts. They
// run to their end when started, so a virtual clock can pace the step.

#include "platform/processes.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace testsupport {

class StandInProcesses : public platform::SystemProcesses {
 public:
  bool open(const QString& file, const QString& workingDirectory) override {
    opened.append({file, workingDirectory});
    if (beforeOpen) beforeOpen(file);
    if (!QFileInfo(file).isFile()) return false;
    return run(file, {}, workingDirectory, 10000).started;
  }
  QList<QPair<QString, QString>> opened;  // program, working folder
  std::function<void(const QString&)> beforeOpen;
};

// printf(1) text that writes exactly these bytes.
inline QByteArray printfBytes(const QByteArray& bytes) {
  QByteArray out;
  for (char c : bytes) out += "\\" + QByteArray::number(static_cast<uchar>(c), 8).rightJustified(3, '0');
  return out;
}

inline void writeScript(const QString& path, const QByteArray& body) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write("#!/bin/sh\n" + body);
  f.close();
  f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

inline QByteArray statusBytes(const QStringList& lines) {
  QList<QByteArray> raw;
  for (const QString& l : lines) raw << platform::cp932::encode(l).value_or(QByteArray());
  return platform::joinLines(raw);
}

// The compiler: turns mirvotak.bas of its folder into mirvotak.hex and leaves
// firstLine as the first line of mirvotak.ini.
inline void writeCompiler(const QString& appDir, const QString& firstLine) {
  writeScript(appDir + "mirvotak/mirvotak.exe",
              "[ -f mirvotak.bas ] || exit 1\ncp mirvotak.bas mirvotak.hex\nprintf '" +
                  printfBytes(statusBytes({firstLine, "done"})) + "' > mirvotak.ini\n");
}

// A compiler that writes nothing at all.
inline void writeSilentCompiler(const QString& appDir) { writeScript(appDir + "mirvotak/mirvotak.exe", "exit 0\n"); }

// The writer: when the compiler's mirvotak.hex is there, leaves lines in
// qov_mini.ini of the program folder.
inline void writeWriter(const QString& appDir, const QStringList& lines) {
  writeScript(appDir + "QOV_mini.exe",
              "[ -f mirvotak/mirvotak.hex ] || exit 1\nprintf '" + printfBytes(statusBytes(lines)) + "' > qov_mini.ini\n");
}

inline QStringList writerLines(const QString& sixth) {
  return {"QOV_mini", "device=ATtiny2313", "fuse-read=ok", "fuse-set=ok", "hex=mirvotak/mirvotak.hex", sixth};
}

inline const QStringList& writerButtons() {
  static const QStringList b{"読み出し", "ヒューズ設定", "出荷時に戻す", "プログラム書き込み"};
  return b;
}

}  // namespace testsupport
