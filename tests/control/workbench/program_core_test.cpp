#include "control/workbench/instruction_texts.h"
#include "control/workbench/program_edit.h"
#include "control/workbench/program_file.h"
#include "control/workbench/program_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelmora::workbench;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

ProgramEdit listOf(const QStringList& lines) {
  ProgramEdit e;
  e.lines = lines;
  e.unmarkAll();
  return e;
}

}  // namespace

TEST(ProgramFile, WritesCommentLinesAndOneExtraLineEndInCodePage932) {
  QTemporaryDir dir;
  const QString path = dir.filePath("12-1.bas");
  ASSERT_TRUE(program_file::write(path, "test", {"Do", "   portB=1,300", "Loop"}));
  EXPECT_EQ(fileBytes(path), QByteArray("'test\r\nDo\r\n   portB=1,300\r\nLoop\r\n\r\n"));

  ASSERT_TRUE(program_file::write(path, QString(), {}));
  EXPECT_EQ(fileBytes(path), QByteArray("'\r\n\r\n"));

  ASSERT_TRUE(program_file::write(path, QStringLiteral("点滅"), {"Do"}));
  EXPECT_EQ(fileBytes(path), QByteArray("'\x93\x5f\x96\xc5\r\nDo\r\n\r\n"));
}

TEST(ProgramFile, FailedWriteIsReportedAndLeavesTheOldFileWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath("12-1.bas");
  ASSERT_TRUE(program_file::write(path, "old", {"Do", "Loop"}));
  const QByteArray before = fileBytes(path);
  // A character code page 932 cannot hold.
  const auto result = program_file::write(path, "new", {"Do", QStringLiteral("a=1 \U0001F600")});
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.isEmpty());
  EXPECT_EQ(fileBytes(path), before);
  // A folder that does not exist.
  EXPECT_FALSE(program_file::write(dir.filePath("missing/12-1.bas"), "x", {"Do"}).ok);
}

TEST(ProgramFile, ReadingSkipsEmptyLinesAndTakesTheCommentFromTheFirst) {
  QTemporaryDir dir;
  const QString path = dir.filePath("p.bas");
  writeBytes(path, "\r\n'test\r\n\r\nDo\n   portB=1,300\rLoop\r\n\r\n");
  const auto lines = program_file::readNonEmptyLines(path);
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, QStringList({"'test", "Do", "   portB=1,300", "Loop"}));
  const auto text = program_file::splitComment(*lines);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->comment, "test");
  EXPECT_EQ(text->lines, QStringList({"Do", "   portB=1,300", "Loop"}));

  // No marker: the first character goes all the same.
  EXPECT_EQ(program_file::splitComment({"Do", "Loop"})->comment, "o");
  EXPECT_FALSE(program_file::splitComment({}));
  writeBytes(path, "\r\n\r\n");
  EXPECT_TRUE(program_file::readNonEmptyLines(path)->isEmpty());
  EXPECT_FALSE(program_file::readNonEmptyLines(dir.filePath("none.bas")));

  // Example comments come from the first line only.
  writeBytes(path, "'rei\r\nDo\r\n");
  EXPECT_EQ(program_file::firstLineComment(path), "rei");
  writeBytes(path, "\r\n'rei\r\n");
  EXPECT_EQ(program_file::firstLineComment(path), "");
}

TEST(ProgramEdit, AppendTrimsInsertAndReplaceKeepBlanks) {
  ProgramEdit e = listOf({"Do", "Loop"});
  e.append("   Loop  ");
  EXPECT_EQ(e.lines.last(), "Loop");
  EXPECT_EQ(e.selIndex, 2);
  EXPECT_EQ(e.marked, QList<bool>({false, false, true}));
  e.append("");
  EXPECT_EQ(e.count(), 3);

  e.selIndex = 1;
  e.insert("   Loop  ");
  EXPECT_EQ(e.lines, QStringList({"Do", "   Loop  ", "Loop", "Loop"}));
  EXPECT_EQ(e.marked, QList<bool>({false, true, false, false}));
  e.insert("");
  EXPECT_EQ(e.count(), 4);

  e.selIndex = 2;
  e.replace(" End ");
  EXPECT_EQ(e.lines, QStringList({"Do", "   Loop  ", " End ", "Loop"}));
  EXPECT_EQ(e.marked, QList<bool>({false, false, true, false}));
}

TEST(ProgramEdit, PositionsOutsideTheListNeverWriteOutsideIt) {
  ProgramEdit empty;
  empty.selIndex = 0;
  empty.replace("Do");
  EXPECT_TRUE(empty.lines.isEmpty());
  empty.selIndex = 7;
  empty.insert("Do");
  EXPECT_EQ(empty.lines, QStringList({"Do"}));
  EXPECT_EQ(empty.selIndex, 0);

  ProgramEdit e = listOf({"A", "B"});
  e.selIndex = 9;
  e.replace("X");
  EXPECT_EQ(e.lines, QStringList({"A", "B"}));
  e.selIndex = -3;
  e.replace("X");
  e.paste("P\r\n");
  EXPECT_EQ(e.lines, QStringList({"P", "A", "B"}));
  e.selIndex = 40;
  e.paste("Q");
  EXPECT_EQ(e.lines, QStringList({"P", "A", "B", "Q"}));
  EXPECT_EQ(e.selIndex, 40);
}

TEST(ProgramEdit, DeleteAndClear) {
  ProgramEdit e = listOf({"A", "B", "C", "D"});
  e.marked = {true, false, true, true};
  e.selIndex = 0;
  e.deleteMarked();
  EXPECT_EQ(e.lines, QStringList({"B"}));
  EXPECT_EQ(e.selIndex, 1);
  e.unmarkAll();
  e.deleteMarked();
  EXPECT_EQ(e.lines, QStringList({"B"}));
  e.clear();
  EXPECT_TRUE(e.lines.isEmpty());
  EXPECT_EQ(e.selIndex, 0);
}

TEST(ProgramEdit, IndentRewritesLeadingBlanksAndMarksTheSpan) {
  ProgramEdit e = listOf({"Do", "portB=1,300", "      Loop", "End"});
  e.marked = {true, false, true, false};
  e.indent(2);
  EXPECT_EQ(e.lines, QStringList({"      Do", "portB=1,300", "      Loop", "End"}));
  EXPECT_EQ(e.marked, QList<bool>({true, true, true, false}));
  e.marked = {false, false, true, false};
  e.indent(0);
  EXPECT_EQ(e.lines[2], "Loop");
  e.unmarkAll();
  e.indent(3);
  EXPECT_EQ(e.lines[0], "      Do");
  EXPECT_EQ(e.marked, QList<bool>({false, false, false, false}));
}

TEST(ProgramEdit, CopyAndPasteWithEveryLineEnd) {
  ProgramEdit e = listOf({"Do", "   portB=1,300", "Loop"});
  e.marked = {false, true, true};
  EXPECT_EQ(e.copyText(), "   portB=1,300\r\nLoop\r\n");

  for (const QString& text : {QString("A\r\nB"), QString("A\nB\n"), QString("A\rB\r"), QString("A\r\nB\r\n")}) {
    ProgramEdit p = listOf({"0", "1", "2", "3", "4"});
    p.selIndex = 3;
    p.paste(text);
    EXPECT_EQ(p.lines, QStringList({"0", "1", "2", "A", "B", "3", "4"})) << text.toStdString();
    EXPECT_EQ(p.selIndex, 3);
  }
  // Blanks and empty lines in between are kept.
  ProgramEdit p = listOf({});
  p.paste("  Do\r\n\r\nLoop");
  EXPECT_EQ(p.lines, QStringList({"  Do", "", "Loop"}));
  EXPECT_EQ(pastedLines(""), QStringList());
}

TEST(InstructionTexts, CaptionRulesFollowTheRadiosInOrder) {
  InstructionTexts t;
  EXPECT_EQ(t.caption("PNLportb"), "portB=0,300");
  EXPECT_EQ(t.caption("PNLlcd"), "Lcd \"Hello\"");

  // Loop variable j, then the millisecond time again.
  t.setLoopVariable('j');
  EXPECT_EQ(t.caption("PNLfor"), "For j=0 To 7");
  EXPECT_EQ(t.caption("PNLnext"), "Next j");
  EXPECT_EQ(t.caption("PNLai"), "a=j");
  EXPECT_EQ(t.caption("PNLportb2h7i"), "portB=2^(7-j),300");
  t.setTimeSource(TimeSource::Ms);
  EXPECT_EQ(t.caption("PNLportb2hi"), "portB=2^i,300");
  EXPECT_EQ(t.caption("PNLfor"), "For j=0 To 7");

  // Variable k, then comparison >.
  t.setVariable('k');
  EXPECT_EQ(t.caption("PNLifa"), "If k=0 Then");
  EXPECT_EQ(t.caption("PNLportba"), "portB=k,300");
  EXPECT_EQ(t.caption("PNLaas2"), "k=int(k/2)");
  EXPECT_EQ(t.caption("PNLai"), "k=i");
  EXPECT_EQ(t.caption("PNLzarimu"), "zarimu_data");
  t.setComparison('>');
  EXPECT_EQ(t.caption("PNLifa"), "If k>0 Then");
  EXPECT_EQ(t.caption("PNLifpind"), "If pinD.0>1 Then");
  EXPECT_EQ(t.caption("PNLifpinb"), "If pinB>255 Then");
  t.setVariable('i');
  EXPECT_EQ(t.caption("PNLifa"), "If i>0 Then");
  EXPECT_EQ(t.caption("PNLai"), "i=a");
  EXPECT_EQ(t.caption("PNL255a"), "i=255-i");

  // wt1: the time name replaces the number; back to ms gives a and i again.
  t.setOutTime(500);
  t.setPortbValue(5);
  t.setTimeSource(TimeSource::Wt2);
  EXPECT_EQ(t.caption("PNLwt1"), "wt2=500");
  EXPECT_EQ(t.caption("PNLportb"), "portB=5,wt2");
  EXPECT_EQ(t.caption("PNLportba"), "portB=a,wt2");
  EXPECT_TRUE(t.wtPanelVisible());
  t.setOutTime(700);
  EXPECT_EQ(t.caption("PNLwt1"), "wt2=700");
  EXPECT_EQ(t.caption("PNLportb"), "portB=5,700");
  t.setTimeSource(TimeSource::Ms);
  EXPECT_EQ(t.caption("PNLportba"), "portB=a,700");
  EXPECT_EQ(t.msCaption(), "700m秒");
  EXPECT_FALSE(t.wtPanelVisible());

  t.setSubName("mae");
  EXPECT_EQ(t.caption("PNLsub"), "Sub mae");
  EXPECT_EQ(t.caption("PNLgosub"), "Gosub mae");
  t.setLcdText("Hi");
  EXPECT_EQ(t.caption("PNLlcd"), "Lcd \"Hi\"");
}

TEST(InstructionTexts, ModeTable) {
  QMap<QString, bool> all;
  for (const QString& g : modeGroupNames()) all[g] = true;

  ModeView v = applyMode(Mode::Syokyuu, all);
  for (const QString& g : modeGroupNames()) EXPECT_FALSE(v.groupVisible[g]) << g.toStdString();
  EXPECT_TRUE(v.runEnabled);

  v = applyMode(Mode::Tyuukyuu, all);
  EXPECT_TRUE(v.groupVisible["PNLformenu"]);
  EXPECT_FALSE(v.groupVisible["PNLif"]);
  EXPECT_FALSE(v.groupVisible["PNLexitdo"]);

  v = applyMode(Mode::Joukyuu, v.groupVisible);
  for (const char* g : {"PNLformenu", "PNLif", "PNLa", "PNLjikan", "PNLsubmenu", "PNLportba", "PNLexitdo"})
    EXPECT_TRUE(v.groupVisible[g]) << g;
  EXPECT_FALSE(v.groupVisible["PNLlcdmenu"]);
  EXPECT_FALSE(v.groupVisible["PNLsoundmenu"]);
  EXPECT_TRUE(v.runEnabled);

  // LCD keeps the groups of the mode before and hides only the Sound panel.
  v = applyMode(Mode::Sound, v.groupVisible);
  EXPECT_TRUE(v.groupVisible["PNLsoundmenu"]);
  EXPECT_TRUE(v.groupVisible["PNLif"]);
  EXPECT_FALSE(v.runEnabled);
  v = applyMode(Mode::Lcd, v.groupVisible);
  EXPECT_TRUE(v.groupVisible["PNLlcdmenu"]);
  EXPECT_FALSE(v.groupVisible["PNLsoundmenu"]);
  EXPECT_TRUE(v.groupVisible["PNLa"]);
  EXPECT_FALSE(v.runEnabled);
  v = applyMode(Mode::Sound, v.groupVisible);
  EXPECT_TRUE(v.groupVisible["PNLlcdmenu"]);
  EXPECT_TRUE(v.groupVisible["PNLsoundmenu"]);
}

TEST(ProgramPrint, FullPagesContinueOnTheNext) {
  // A4 at 300 dpi.
  const auto places = listingPlaces(80, 3508);
  ASSERT_EQ(places.size(), 80);
  EXPECT_EQ(places[0].page, 0);
  EXPECT_EQ(places[0].y, 300);
  EXPECT_EQ(places[1].y, 350);
  int lastOnFirst = 0;
  while (places[lastOnFirst + 1].page == 0) ++lastOnFirst;
  EXPECT_LE(places[lastOnFirst].y + 50, 3508 - 100);
  EXPECT_EQ(places[lastOnFirst + 1].page, 1);
  EXPECT_EQ(places[lastOnFirst + 1].y, 100);
  EXPECT_EQ(places.last().page, 1);
  for (const PrintPlace& p : places) EXPECT_LE(p.y + 50, 3508);
}
