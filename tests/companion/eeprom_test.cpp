#include "companion/eeprom_dump.h"
#include "companion/readdata1.h"
#include "platform/board_library.h"
#include "platform/textfile.h"
#include "support/standin_board.h"
#include "support/test_context.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace bremilo;

namespace {

// One dump row as the writer prints it: address, then sixteen bytes in two
// groups of eight.
QString row(const QString& address, const QStringList& bytes) {
  QString line = address + QStringLiteral(": ");
  for (int j = 0; j < 16; ++j) {
    if (j == 8) line += QStringLiteral("- ");
    line += bytes.value(j, QStringLiteral("--")).leftJustified(2, QLatin1Char(' ')) + QLatin1Char(' ');
  }
  return line + QStringLiteral(" ................");
}

QString dumpWith(const QString& interval, const QString& correctionByte = QStringLiteral("0A"), bool dateRow = true) {
  QStringList lines{QStringLiteral("EEPROM dump")};
  lines << row("000000", {"00", "00", "00", "00", "00", "00", "00", interval, "00", "00", "00", "0A", "0B", "0C", "0D", "0E"});
  lines << row("000010", {"14", "15", "9E", "FF", "28", "--", "  "});
  if (dateRow) lines << row("0001F0", {"10", "11", "05", "00", "00", correctionByte});
  return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

const QDateTime kReadAt(QDate(2026, 12, 9), QTime(9, 5, 7));

QStringList csvFor(const QString& dump, bool onlyThisRun) {
  const EepromLog log = decodeEepromDump(dump, onlyThisRun);
  EXPECT_TRUE(log.ok) << log.error.toStdString();
  return eepromCsvLines(log, kReadAt);
}

}  // namespace

TEST(EepromDump, FiveMinuteLogWithEndMark) {
  const QStringList head{"読取日時 : 2026/12/09 9:05:07", "回,経過時間,測定値"};
  const QString summary = QStringLiteral("ブレミロ ver.2010-11-05:　 補正値は+5:　５分間隔で測定");
  const QStringList all = head + QStringList{"0,5,10", "1,10,11", "2,15,12", "3,20,13", "4,25,14", "5,25,20",
                                             "6,30,21", "7,35,30", "8,40,127", "9,45,40", summary, kRunNote};
  EXPECT_EQ(csvFor(dumpWith("05"), false), all);
  // Only this run: the end mark and everything after it stay out.
  const QStringList thisRun = head + QStringList{"0,5,10", "1,10,11", "2,15,12", "3,20,13", "4,25,14",
                                                 "5,25,20", "6,30,21", "7,35,30", summary};
  EXPECT_EQ(csvFor(dumpWith("05"), true), thisRun);

  const EepromLog log = decodeEepromDump(dumpWith("05"), false);
  EXPECT_EQ(log.intervalText, "５分間隔で測定");
  EXPECT_EQ(log.year, "ブレミロ ver.2010-");
  EXPECT_EQ(log.month, "11-");
  EXPECT_EQ(log.day, "05");
  EXPECT_EQ(log.correction, " 補正値は+5");
}

TEST(EepromDump, TwoSecondLogCorrectionDigitsAndMissingDateRow) {
  const QStringList csv = csvFor(dumpWith("02", "00", false), false);
  EXPECT_EQ(csv.mid(2), (QStringList{"0,2,10", "1,4,11", "2,6,12", "3,8,13", "4,10,14", "5,10,20", "6,12,21",
                                     "7,14,30", "8,16,127", "9,18,40"}));
  EXPECT_EQ(decodeEepromDump(dumpWith("02"), false).intervalText, "２秒間隔で測定");

  EXPECT_EQ(correctionText("0"), "-5");
  EXPECT_EQ(correctionText("5"), "±0");
  EXPECT_EQ(correctionText("A"), "+5");
  EXPECT_EQ(correctionText("F"), "±0");
  EXPECT_EQ(correctionText("7"), "+2");
  EXPECT_EQ(correctionText("C"), "C");
  EXPECT_EQ(decodeEepromDump(dumpWith("01", "05"), false).correction, " 補正値は±0");
  EXPECT_EQ(decodeEepromDump(dumpWith("01", "0F"), false).correction, " 補正値は±0");
  // A byte's text is read as hexadecimal: one digit is a value too.
  const QString oneDigit = "x\r\n" + row("000000", {"00", "00", "00", "00", "00", "00", "00", "02"}) + "\r\n" +
                           row("000010", {" F", "7", "--"});
  EXPECT_EQ(decodeEepromDump(oneDigit, false).bodyLines, (QStringList{"0,0,15", "1,2,7"}));
}

TEST(EepromDump, RefusesOutputWithoutALog) {
  EXPECT_FALSE(decodeEepromDump(QString(), false).ok);
  EXPECT_FALSE(decodeEepromDump(QStringLiteral("usage: hidspx ...\r\nerror: no device\r\n"), false).ok);
  // An erased eeprom holds FF where the interval belongs.
  const EepromLog erased = decodeEepromDump(dumpWith("FF"), false);
  EXPECT_FALSE(erased.ok);
  EXPECT_FALSE(erased.error.isEmpty());
  // Rows whose address is not six hexadecimal digits are no dump rows.
  EXPECT_FALSE(decodeEepromDump(QStringLiteral("x\r\n00G000: 01 02\r\n"), false).ok);
}

TEST(EepromDump, OneMinuteLogAndTheDateRowOnlyWithinTheFirstTwentyTwoLines) {
  const EepromLog minute = decodeEepromDump(dumpWith("01"), false);
  EXPECT_EQ(minute.intervalText, "１分間隔で測定");
  EXPECT_EQ(minute.bodyLines.mid(0, 6), (QStringList{"0,1,10", "1,2,11", "2,3,12", "3,4,13", "4,5,14", "5,5,20"}));
  EXPECT_TRUE(minute.bodyLines.contains(QStringLiteral("ブレミロ ver.2010-11-05:　 補正値は+5:　１分間隔で測定")));

  // Line 0 is the writer's heading, then the first row, then rows without a
  // readable byte, then the date row as line 22 or 23.
  auto dumpWithDateRowAt = [](int lineNumber) {
    QStringList lines{QStringLiteral("EEPROM dump")};
    lines << row("000000", {"00", "00", "00", "00", "00", "00", "00", "02", "00", "00", "00", "0A"});
    while (lines.size() < lineNumber) lines << row(QStringLiteral("%1").arg(16 * lines.size(), 6, 16, QLatin1Char('0')), {});
    lines << row("0001F0", {"10", "11", "05", "00", "00", "05"});
    return lines.join(QStringLiteral("\r\n"));
  };
  const EepromLog at22 = decodeEepromDump(dumpWithDateRowAt(22), false);
  EXPECT_EQ(at22.bodyLines, (QStringList{"0,2,10", "ブレミロ ver.2010-11-05:　 補正値は±0:　２秒間隔で測定", kRunNote}));
  EXPECT_EQ(at22.day, "05");
  const EepromLog at23 = decodeEepromDump(dumpWithDateRowAt(23), false);
  EXPECT_EQ(at23.bodyLines, QStringList{"0,2,10"});
  EXPECT_EQ(at23.day, "");
}

TEST(EepromDump, RowsWithoutAReadableByteAreNoDump) {
  const QString noDump = QStringLiteral("hidspxの出力に測定データが有りません。");
  const EepromLog blank = decodeEepromDump(QStringLiteral("EEPROM dump\r\n") + row("000010", {}) + "\r\n" + row("000020", {"  "}) +
                                               "\r\n" + row("0001F0", {}), false);
  EXPECT_FALSE(blank.ok);
  EXPECT_EQ(blank.error, noDump);
  // An interval but not one record.
  const EepromLog intervalOnly = decodeEepromDump(QStringLiteral("EEPROM dump\r\n") + row("000000", {"00", "00", "00", "00", "00", "00", "00", "05"}), false);
  EXPECT_FALSE(intervalOnly.ok);
  EXPECT_EQ(intervalOnly.error, noDump);
  // The date row alone is a dump: the board's firmware and correction value.
  const EepromLog dateOnly = decodeEepromDump(QStringLiteral("EEPROM dump\r\n") + row("0001F0", {"10", "11", "05", "00", "00", "03"}), true);
  EXPECT_TRUE(dateOnly.ok);
  EXPECT_EQ(dateOnly.correction, " 補正値は-2");
}

namespace {

class Host : public CompanionHost {
 public:
  explicit Host(const platform::AppContext& ctx) : ctx_(ctx) {}
  const platform::AppContext& context() const override { return ctx_; }
  void storePosition(int firstEntry, int top, int left) override {
    positions[firstEntry] = top;
    positions[firstEntry + 1] = left;
  }
  int position(int entry) const override { return positions[entry]; }
  void showMenu() override { ++menuShown; }
  int positions[20] = {};
  int menuShown = 0;

 private:
  const platform::AppContext& ctx_;
};

struct ReaderFixture {
  explicit ReaderFixture(platform::Board* board = nullptr)
      : ctx{t.ctx.appDir, board ? *board : t.board, t.prompts, processes, t.clock}, host(ctx), form(host) {
    form.now = [] { return kReadAt; };
    form.toolTimeoutMs = 2000;
    writeFile("data.csv", "old\r\n");
  }
  void writeFile(const QString& name, const QByteArray& bytes, bool executable = false) {
    QFile f(t.path(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner);
  }
  void standIn(const QByteArray& body) { writeFile("hidspx", "#!/bin/sh\necho \"$@\" > args.txt\n" + body, true); }
  QByteArray read(const QString& name) {
    QFile f(t.path(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
  bool idle() const {
    return !form.Panel2->isHidden() && !form.CheckBox1->isHidden() && !form.PNLsyuuryou->isHidden() &&
           form.Timer2->isActive();
  }

  testsupport::TestContext t;
  platform::SystemProcesses processes;
  platform::AppContext ctx;
  Host host;
  TForm2 form;
};

}  // namespace

TEST(EepromReader, ReadsThroughTheWriterForEachBoardVariant) {
  ReaderFixture f;
  QFile dumpFile(f.t.path("dump.txt"));
  ASSERT_TRUE(dumpFile.open(QIODevice::WriteOnly));
  dumpFile.write(dumpWith("05").toUtf8());
  dumpFile.close();
  f.standIn("cat dump.txt\necho warning >&2\n");

  f.form.Timer2Timer();  // "#" answers: a HIDaspx-P
  EXPECT_EQ(f.form.HidspxCommand, "hidspx -php");
  f.form.Panel2Click();
  EXPECT_EQ(f.read("args.txt"), "-php -reh\n");
  EXPECT_TRUE(f.t.prompts.texts().isEmpty()) << f.t.prompts.texts().join("|").toStdString();
  const QByteArray csv = f.read("data.csv");
  EXPECT_TRUE(csv.startsWith(platform::cp932::encode("読取日時 : 2026/12/09 9:05:07\r\n回,経過時間,測定値\r\n0,5,10\r\n").value()));
  EXPECT_TRUE(csv.endsWith(platform::cp932::encode(kRunNote + "\r\n").value()));
  EXPECT_EQ(f.form.Label10->text(), "読み取り→保存の終了 ");
  EXPECT_TRUE(f.form.Label8->text().startsWith(f.t.path("data.csv") + "　で保存しました。"));
  EXPECT_EQ(f.form.LBLsensor->text(), " 補正値は+5");
  EXPECT_EQ(f.form.VErr, "warning\n");
  EXPECT_TRUE(f.idle());
  EXPECT_EQ(f.t.board.log().last(), "UsbExit");

  f.t.board.unplug();
  f.t.board.setInitAnswer("*", 0);
  f.form.Timer2Timer();
  EXPECT_EQ(f.form.HidspxCommand, "hidspx -ph");
  f.form.Panel2Click();
  EXPECT_EQ(f.read("args.txt"), "-ph -reh\n");
}

TEST(EepromReader, ResultTextCarriesTheRunNoteOnlyWhenEverythingIsSaved) {
  ReaderFixture f;
  f.writeFile("dump.txt", dumpWith("05").toUtf8());
  f.standIn("cat dump.txt\n");
  f.form.Timer2Timer();
  const QString again = QStringLiteral("再度取り込むときは「eepromの読み取り」ボタンを押して下さい");
  f.form.Panel2Click();
  EXPECT_EQ(f.form.Label8->text(), f.t.path("data.csv") + "　で保存しました。\n" + kRunNote + "\n\n" + again);
  f.form.CheckBox1->setChecked(true);
  f.form.Panel2Click();
  EXPECT_EQ(f.form.Label8->text(), f.t.path("data.csv") + "　で保存しました。\n\n" + again);
  EXPECT_FALSE(f.read("data.csv").contains(platform::cp932::encode(kRunNote).value()));
}

TEST(EepromReader, ADumpThatDecodesIsSavedWhateverTheWriterReturns) {
  ReaderFixture f;
  f.writeFile("dump.txt", dumpWith("05").toUtf8());
  f.form.Timer2Timer();
  const QByteArray firstRecord = "\r\n0,5,10\r\n";

  // The writer failed after the first rows: what came is saved, then the
  // exit code says the log may be short. A whole dump gets the same word.
  for (const char* print : {"head -n 2 dump.txt", "cat dump.txt"}) {
    f.t.prompts.clear();
    f.writeFile("data.csv", "old\r\n");
    f.standIn(QByteArray(print) + "\necho 'verify error' >&2\nexit 3\n");
    f.form.Panel2Click();
    EXPECT_EQ(f.t.prompts.texts(), QStringList{"hidspxがエラーで終了しました。（終了コード 3）\nverify error"});
    EXPECT_TRUE(f.read("data.csv").contains(firstRecord));
    EXPECT_TRUE(f.idle());
  }
  f.t.prompts.clear();

  // The writer ends abnormally after the dump: the error box, then the read
  // goes on with what came.
  f.writeFile("data.csv", "old\r\n");
  f.standIn("cat dump.txt\nkill -SEGV $$\n");
  f.form.Panel2Click();
  ASSERT_EQ(f.t.prompts.shown().size(), 1);
  EXPECT_EQ(f.t.prompts.shown()[0].kind, platform::ScriptedPrompts::Kind::Error);
  EXPECT_EQ(f.t.prompts.shown()[0].caption, "QOV");
  EXPECT_EQ(f.t.prompts.shown()[0].text, "hidspxが同じフォルダにありますか？");
  EXPECT_TRUE(f.read("data.csv").contains(firstRecord));
  EXPECT_TRUE(f.idle());

  // Nothing decodes: the exit code is named and data.csv stays.
  f.t.prompts.clear();
  f.writeFile("data.csv", "old\r\n");
  f.standIn("echo 'EEPROM dump'\necho '000010: -- -- -- -- -- -- -- -- - -- -- -- -- -- -- -- --'\nexit 4\n");
  f.form.Panel2Click();
  ASSERT_EQ(f.t.prompts.texts().size(), 1);
  EXPECT_EQ(f.t.prompts.texts()[0], "hidspxがエラーで終了しました。（終了コード 4）");
  EXPECT_EQ(f.read("data.csv"), "old\r\n");
  EXPECT_EQ(f.form.Label10->text(), "読み取りできませんでした。data.csvは変わっていません。");

  // The same dump with exit code 0 is the no-dump case.
  f.t.prompts.clear();
  f.standIn("echo 'EEPROM dump'\necho '000010: -- -- -- -- -- -- -- -- - -- -- -- -- -- -- -- --'\n");
  f.form.Panel2Click();
  EXPECT_EQ(f.t.prompts.texts(), QStringList{"hidspxの出力に測定データが有りません。"});
  EXPECT_EQ(f.read("data.csv"), "old\r\n");
  EXPECT_TRUE(f.idle());
}

TEST(EepromReader, DetectsThroughTheSchoolsBoardLibraryAndExitsAfterTheRead) {
  QTemporaryDir folder;
  const QString appDir = folder.path() + "/";
  ASSERT_TRUE(testsupport::placeStandInBoard(testsupport::builtStandInBoard(), appDir));
  std::unique_ptr<platform::Board> board =
      platform::openBoard(platform::boardLibraryPlaces(appDir), QStringLiteral("bremilo"), stderr);
  auto* library = dynamic_cast<platform::LibraryBoard*>(board.get());
  ASSERT_NE(library, nullptr);
  testsupport::StandInBoard standIn(library->path());
  standIn.setInit("#", 2);
  ReaderFixture f(board.get());
  QFile dumpFile(f.t.path("dump.txt"));
  ASSERT_TRUE(dumpFile.open(QIODevice::WriteOnly));
  dumpFile.write(dumpWith("05").toUtf8());
  dumpFile.close();
  f.standIn("cat dump.txt\n");

  f.form.Timer2Timer();
  EXPECT_EQ(f.form.HidspxCommand, "hidspx -php");
  EXPECT_EQ(standIn.calls().first(), "UsbInit(#)=2");
  standIn.clear();
  f.form.Panel2Click();
  EXPECT_EQ(f.read("args.txt"), "-php -reh\n");
  EXPECT_EQ(standIn.calls(), QStringList{"UsbExit()"});
}

TEST(EepromReader, FailuresLeaveDataCsvAndRestoreTheWindow) {
  ReaderFixture f;
  // No board: nothing is run.
  f.t.board.unplug();
  f.form.Timer2Timer();
  f.form.startLinkTimer();
  f.standIn("exit 0\n");
  f.form.Panel2Click();
  EXPECT_EQ(f.t.prompts.texts(), QStringList{"HIDaspxの接続を確認して下さい！"});
  EXPECT_FALSE(QFile::exists(f.t.path("args.txt")));

  f.t.board.setInitAnswer("#", 0);
  f.form.Timer2Timer();
  struct Case {
    QByteArray script;
    QString expected;
  };
  const Case cases[] = {
      {"echo 'cannot open device' >&2\nexit 2\n", "hidspxがエラーで終了しました。（終了コード 2）"},
      {"exec sleep 20\n", "hidspxが2秒たっても終わらないので止めました。"},
      {"echo nothing here\n", "hidspxの出力に測定データが有りません。"},
  };
  for (const Case& c : cases) {
    f.t.prompts.clear();
    f.standIn(c.script);
    f.form.Panel2Click();
    ASSERT_EQ(f.t.prompts.texts().size(), 1);
    EXPECT_TRUE(f.t.prompts.texts()[0].startsWith(c.expected)) << f.t.prompts.texts()[0].toStdString();
    EXPECT_EQ(f.read("data.csv"), "old\r\n");
    EXPECT_TRUE(f.idle());
    EXPECT_FALSE(f.form.Label8->text().contains("保存しました"));
  }

  f.t.prompts.clear();
  QFile::remove(f.t.path("hidspx"));
  f.form.Panel2Click();
  EXPECT_EQ(f.t.prompts.texts(), QStringList{"hidspxが同じフォルダにありません。"});
  EXPECT_EQ(f.read("data.csv"), "old\r\n");
  EXPECT_TRUE(f.idle());

  f.form.move(30, 40);
  f.form.PNLsyuuryou->click();
  EXPECT_EQ(f.host.positions[3], f.form.y());
  EXPECT_EQ(f.host.menuShown, 1);
  EXPECT_FALSE(f.form.Timer2->isActive());
}
