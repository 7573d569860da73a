#include "control/workbench/interpreter.h"
#include "control/workbench/interpreter_frame.h"
#include "control/workbench/interpreter_text.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace pelmora::workbench;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

// Records everything a run shows; the program list lives here.
class FakeView : public RunView {
 public:
  QStringList programLines() override { return lines; }
  void storeLine(int n, const QString& text) override {
    lines[n] = text;
    stored << n;
  }
  void selectLine(int n) override {
    selections << n;
    if (onSelect) onSelect(n);
  }
  void showInstruction(const QString& text) override { instruction = text; }
  void showLabel(Label which, const QString& text) override { labels[static_cast<int>(which)] << text; }
  void showOutputs(int portbValue) override { outputs << portbValue; }
  void showDirection(int ddrbValue) override { directions << ddrbValue; }
  void showPinb(int value) override { pinbShown << value; }
  void showPind(int value) override { pindShown << value; }
  QString allowedTimeText() override { return allowed; }
  void autoSave() override { ++saves; }
  void message(const QString& text) override { messages << text; }
  void setRunning(bool running) override { runningStates << running; }

  QStringList labelTexts(Label which) const { return labels[static_cast<int>(which)]; }

  QStringList lines;
  QString allowed = QStringLiteral("60000");
  QList<int> stored, selections, outputs, directions, pinbShown, pindShown;
  QList<bool> runningStates;
  QStringList messages;
  QString instruction;
  int saves = 0;
  std::function<void(int)> onSelect;

 private:
  QStringList labels[4];
};

struct Rig {
  Rig() {
    link.detect();
    board.clearLog();
  }
  void run(const QStringList& program) {
    view.lines = program;
    interp.run();
  }
  QList<int> pokes(int handle) const {
    QList<int> out;
    for (const auto& c : board.calls())
      if (c.op == QLatin1String("UsbPoke") && c.handle == handle) out << c.value;
    return out;
  }
  // PORTB levels written by output lines, as LED patterns.
  QList<int> patterns() const {
    QList<int> out;
    for (int level : pokes(platform::SimulatedBoard::kPortb)) out << 255 - level;
    return out;
  }

  platform::SimulatedBoard board{platform::SimulatedBoard::kWholeLog};
  platform::VirtualClock clock{1000};
  platform::DeadlineWait wait{clock};
  platform::BoardLink link{board};
  FakeView view;
  Interpreter interp{view, link, wait};
};

const QString kDoLoop = QStringLiteral("DoとLoopの間に命令がないと暴走します！");

}  // namespace

TEST(InterpreterText, NumbersAndPositions) {
  EXPECT_EQ(readNumber(QStringLiteral(" 12 ")), 12);
  EXPECT_EQ(readNumber(QStringLiteral("-2147483648")), std::numeric_limits<qint32>::min());
  for (const char* bad : {"", " ", "a", "1.5", "2147483648", "12x", "+", "1 2"})
    EXPECT_FALSE(readNumber(QString::fromLatin1(bad))) << bad;
  // A full-width blank is program text, not a blank to trim.
  EXPECT_EQ(trimBlanks(QStringLiteral(" \tDo\u3000 ")), QStringLiteral("Do\u3000"));
  EXPECT_EQ(copy(QStringLiteral("portB=5,70"), 7, 1), QStringLiteral("5"));
  EXPECT_EQ(copy(QStringLiteral("abc"), 2, -3), QString());
  EXPECT_EQ(between(QStringLiteral("portB=2^(7-i),300"), u'(', u'-'), QStringLiteral("7"));
  EXPECT_EQ(power(2, 7).value, 128);
  EXPECT_EQ(power(2, 31).fault, PowerFault::TooLarge);
  EXPECT_EQ(power(2, -1).fault, PowerFault::Fraction);
  EXPECT_EQ(power(-2, 31).value, std::numeric_limits<qint32>::min());
}

TEST(Interpreter, CountedLoopTraceOnTheBoard) {
  Rig r;
  QList<quint32> portbTicks;
  r.board.onChange = [&] {
    if (r.board.calls().back().text == QLatin1String("PORTB")) portbTicks << r.clock.tickCount();
  };
  r.run({QStringLiteral("For i=0 To 7"), QStringLiteral("portB=2^i,300"), QStringLiteral("Next i")});

  QStringList expected{QStringLiteral("DDRB=255"), QStringLiteral("PORTB=255")};
  for (int k = 0; k < 8; ++k) expected << QStringLiteral("DDRB=255") << QStringLiteral("PORTB=%1").arg(255 - (1 << k));
  expected << QStringLiteral("DDRB=255") << QStringLiteral("PORTB=255");
  EXPECT_EQ(r.board.writes(), expected);
  // Each output holds for its 300 ms; the last one too, before the LEDs go dark.
  ASSERT_EQ(portbTicks.size(), 10);
  for (int k = 1; k < 10; ++k) {
    EXPECT_GE(portbTicks[k] - portbTicks[k - 1], k == 1 ? 0u : 300u) << k;
    EXPECT_LE(portbTicks[k] - portbTicks[k - 1], k == 1 ? 0u : 302u) << k;
  }
  EXPECT_EQ(r.interp.var_i, 8);
  EXPECT_EQ(r.view.labelTexts(RunView::Label::I).last(), QStringLiteral("i=7"));
  EXPECT_EQ(r.view.labelTexts(RunView::Label::PortB).last(), QStringLiteral("portB=128,300"));
  EXPECT_EQ(r.view.saves, 1);
  EXPECT_EQ(r.view.runningStates, (QList<bool>{true, false}));
  EXPECT_TRUE(r.view.messages.isEmpty());
  EXPECT_EQ(r.interp.portb_value, 0);
  EXPECT_EQ(r.interp.resume_line, -1);

  // Counting down runs 7..0 and leaves i one past the end.
  Rig down;
  down.run({QStringLiteral("For i=7 To 0"), QStringLiteral("portB=i,10"), QStringLiteral("Next i")});
  EXPECT_EQ(down.patterns(), (QList<int>{0, 7, 6, 5, 4, 3, 2, 1, 0, 0}));
  EXPECT_EQ(down.interp.var_i, 1);
}

TEST(Interpreter, OutputLineFaults) {
  {
    // A negative exponent: message after the line's output and wait, then the run ends.
    Rig r;
    r.interp.var_i = 8;
    r.run({QStringLiteral("portB=2^(7-i),300"), QStringLiteral("portB=1,300")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("計算結果が負になります！")});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 0, 0}));
    EXPECT_GE(r.clock.waited(), 300u);
    EXPECT_EQ(r.interp.var_i, 0);
    EXPECT_EQ(r.view.selections.last(), 1);  // the last line, as after STOP
  }
  {
    Rig r;
    r.run({QStringLiteral("portB=1.5,300"), QStringLiteral("portB=1,300")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("小数は使えません！")});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 0, 0}));
  }
  {
    // Too long: the value is written, then no wait.
    Rig r;
    r.run({QStringLiteral("portB=5,70000"), QStringLiteral("portB=1,300")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("出力時間の数値が大きすぎます！")});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 5, 0}));
    EXPECT_EQ(r.clock.waited(), 0u);
    EXPECT_EQ(r.view.labelTexts(RunView::Label::PortB), QStringList{QStringLiteral("portB=5,70000")});
  }
  {
    // Powers that do not fit and unreadable lines end the run with a message naming the line.
    Rig r;
    r.run({QStringLiteral("a=31"), QStringLiteral("a=2^a"), QStringLiteral("portB=1,300")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("2行目の「a=2^a」の計算結果が大きすぎます！")});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 0}));
  }
  for (const char* line : {"portB=x,300", "portB=3,", "portB=3", "i=a", "ddrB=", "For i=0 To", "wt1=fast"}) {
    Rig r;
    QStringList program{QString::fromLatin1(line), QStringLiteral("portB=1,300")};
    if (program[0].startsWith(QLatin1String("For"))) program << QStringLiteral("Next i");
    r.run(program);
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("1行目の「%1」の数値が読めません！").arg(QLatin1String(line))})
        << line;
    EXPECT_EQ(r.view.runningStates, (QList<bool>{true, false})) << line;
    EXPECT_FALSE(r.patterns().contains(1)) << line;
  }
  {
    Rig r;
    r.view.allowed = QStringLiteral("six");
    r.run({QStringLiteral("portB=1,300")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("許容最大時間の数値が読めません！")});
  }
}

TEST(Interpreter, PortValuesOutsideAByteEndTheRunNamingTheLine) {
  struct Case {
    QStringList program;
    int line;  // 1-based, the output line
    const char* value = "出力値";
  };
  const Case cases[] = {
      {{"i=8", "portB=2^i,1", "portB=1,10"}, 2},
      {{"For i=-1 To -1", "portB=i,1", "Next i", "portB=1,10"}, 2},
      {{"a=300", "portB=a,10", "portB=1,10"}, 2},
      {{"portB=256,10", "portB=1,10"}, 1},
      {{"portB=-1,10", "portB=1,10"}, 1},
      {{"j=0", "portB=2^(9-j),10", "portB=1,10"}, 2},
      {{"ddrB=300", "portB=1,10"}, 1, "入出力設定の値"},
      {{"ddrB=256", "portB=1,10"}, 1, "入出力設定の値"},
      {{"a=1", "ddrB=-1", "portB=1,10"}, 2, "入出力設定の値"},
  };
  for (const Case& c : cases) {
    Rig r;
    r.run(c.program);
    const QString line = c.program[c.line - 1];
    EXPECT_EQ(r.view.messages,
              QStringList{QStringLiteral("%1行目の「%2」の%3は0～255です！").arg(c.line).arg(line).arg(QString::fromUtf8(c.value))})
        << line.toStdString();
    // Nothing but the start's and the end's dark LEDs and all-output DDRB reaches the port.
    EXPECT_EQ(r.patterns(), (QList<int>{0, 0})) << line.toStdString();
    EXPECT_EQ(r.pokes(platform::SimulatedBoard::kDdrb), (QList<int>{255, 255})) << line.toStdString();
    EXPECT_EQ(r.view.runningStates, (QList<bool>{true, false}));
    EXPECT_EQ(r.interp.resume_line, -1);
  }
  // 0 and 255 are port values.
  Rig r;
  r.run({QStringLiteral("portB=0,10"), QStringLiteral("portB=255,10")});
  EXPECT_TRUE(r.view.messages.isEmpty());
  EXPECT_EQ(r.patterns(), (QList<int>{0, 0, 255, 0}));
}

TEST(Interpreter, AssignmentForms) {
  struct Case {
    const char* line;
    int a, i, j, k;  // before
    char letter;
    int expected;
  };
  const Case cases[] = {
      {"a=a+1", 4, 0, 0, 0, 'a', 5},     {"a=i", 0, 6, 0, 0, 'a', 6},       {"a=j", 0, 0, 7, 0, 'a', 7},
      {"a=a-1", 4, 0, 0, 0, 'a', 3},     {"a=255-a", 5, 0, 0, 0, 'a', 250}, {"a=a*2", 21, 0, 0, 0, 'a', 42},
      {"a=2^a", 3, 0, 0, 0, 'a', 8},     {"a=int(a/2)", 7, 0, 0, 0, 'a', 3}, {"a=int(a/10)", 99, 0, 0, 0, 'a', 9},
      {"a=12", 0, 0, 0, 0, 'a', 12},     {"i=i", 0, 4, 9, 0, 'i', 4},        {"i=j", 0, 4, 9, 0, 'i', 9},
      {"j=i", 0, 4, 9, 0, 'j', 4},       {"j=j", 0, 4, 9, 0, 'j', 9},        {"j=j-1", 0, 0, 5, 0, 'j', 4},
      {"k=i", 0, 4, 9, 1, 'k', 4},       {"k=j", 0, 4, 9, 1, 'k', 9},        {"k=k+10", 0, 0, 0, 1, 'k', 11},
      {"i=255-i", 0, 55, 0, 0, 'i', 200}, {"k=int(k/2)", 0, 0, 0, 9, 'k', 4},
  };
  for (const Case& c : cases) {
    Rig r;
    r.interp.var_a = c.a;
    r.interp.var_i = c.i;
    r.interp.var_j = c.j;
    r.interp.var_k = c.k;
    // The run resets i and j only on STOP, End or an error.
    r.run({QString::fromLatin1(c.line)});
    const int got = c.letter == 'a' ? r.interp.var_a
                    : c.letter == 'i' ? r.interp.var_i
                    : c.letter == 'j' ? r.interp.var_j
                                      : r.interp.var_k;
    EXPECT_EQ(got, c.expected) << c.line;
    EXPECT_TRUE(r.view.messages.isEmpty()) << c.line;
  }
  {
    // pinB and portB copy the last values; no new read.
    Rig r;
    r.interp.pinb_value = 77;
    r.run({QStringLiteral("portB=9,10"), QStringLiteral("a=pinB"), QStringLiteral("k=portB")});
    EXPECT_EQ(r.interp.var_a, 77);
    EXPECT_EQ(r.interp.var_k, 9);
    EXPECT_FALSE(r.board.log().contains(QStringLiteral("PINB?")));
  }
  {
    // Below zero: the letter's message, the variable becomes 0, the run goes on.
    Rig r;
    r.run({QStringLiteral("a=a-1"), QStringLiteral("i=3-i"), QStringLiteral("i=i-5"), QStringLiteral("portB=6,10")});
    EXPECT_EQ(r.view.messages, (QStringList{QStringLiteral("計算結果がa<0になります！\u3000a=0にします"),
                                            QStringLiteral("計算結果がi<0になります！\u3000i=0にします")}));
    EXPECT_EQ(r.interp.var_a, 0);
    EXPECT_EQ(r.interp.var_i, 0);
    EXPECT_TRUE(r.patterns().contains(6));
  }
  for (const char* line : {"a=a+2147483647", "a=a*99999999"}) {
    Rig r;
    r.interp.var_a = 100;
    r.run({QString::fromLatin1(line), QStringLiteral("portB=1,10")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("1行目の「%1」の計算結果が大きすぎます！").arg(QLatin1String(line))});
    EXPECT_EQ(r.interp.var_a, 100) << line;
    EXPECT_FALSE(r.patterns().contains(1)) << line;
  }
  {
    Rig r;
    r.run({QStringLiteral("a=int(a/0)"), QStringLiteral("portB=1,10")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("1行目の「a=int(a/0)」で0で割っています！")});
  }
}

TEST(Interpreter, IfBlocksAndDoLoops) {
  const QStringList ifElse{QStringLiteral("If a=3 Then"), QStringLiteral("   portB=1,10"), QStringLiteral("Else"),
                           QStringLiteral("   portB=2,10"), QStringLiteral("End If"), QStringLiteral("portB=4,10")};
  for (int a : {3, 2}) {
    Rig r;
    r.interp.var_a = a;
    r.run(ifElse);
    EXPECT_EQ(r.patterns(), (a == 3 ? QList<int>{0, 1, 4, 0} : QList<int>{0, 2, 4, 0})) << a;
  }
  {
    Rig r;
    r.interp.var_a = 2;
    r.run({QStringLiteral("If a>2 Then"), QStringLiteral("portB=1,10"), QStringLiteral("End If"),
           QStringLiteral("If a<3 Then"), QStringLiteral("portB=2,10"), QStringLiteral("End If")});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 2, 0}));
  }
  {
    // Do with an If and Exit Do inside, and an If nested in the If.
    Rig r;
    r.run({QStringLiteral("a=0"), QStringLiteral("Do"), QStringLiteral("a=a+1"), QStringLiteral("If a>1 Then"),
           QStringLiteral("If a=3 Then"), QStringLiteral("Exit Do"), QStringLiteral("End If"),
           QStringLiteral("portB=a,10"), QStringLiteral("End If"), QStringLiteral("Loop"),
           QStringLiteral("portB=128,10")});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 2, 128, 0}));
    EXPECT_EQ(r.interp.var_a, 3);
  }
  {
    Rig r;
    r.run({QStringLiteral("portB=1,10"), QStringLiteral("Do"), QStringLiteral("Loop"), QStringLiteral("portB=2,10")});
    EXPECT_EQ(r.view.messages, QStringList{kDoLoop});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 1, 0}));
    EXPECT_EQ(r.view.runningStates, (QList<bool>{true, false}));
  }
  {
    // i, j, k and pinB compare as they read; pin bits are read from the board.
    Rig r;
    r.interp.var_i = 5;
    r.interp.var_k = 1;
    r.board.setPinb(0xF0);
    r.board.setPind(0x43);
    r.run({QStringLiteral("If i>4 Then"), QStringLiteral("portB=1,10"), QStringLiteral("End If"),
           QStringLiteral("If k=0 Then"), QStringLiteral("portB=2,10"), QStringLiteral("End If"),
           QStringLiteral("If pinB<255 Then"), QStringLiteral("portB=4,10"), QStringLiteral("End If"),
           QStringLiteral("If pinB>240 Then"), QStringLiteral("portB=8,10"), QStringLiteral("End If"),
           QStringLiteral("If pinD.6=1 Then"), QStringLiteral("portB=16,10"), QStringLiteral("End If"),
           QStringLiteral("If pinB.3=1 Then"), QStringLiteral("portB=32,10"), QStringLiteral("End If"),
           QStringLiteral("If pinD.0>0 Then"), QStringLiteral("portB=64,10"), QStringLiteral("End If")});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 1, 4, 16, 64, 0}));
    EXPECT_EQ(r.view.pinbShown, (QList<int>{0xF0, 0xF0, 0xF0}));
    EXPECT_EQ(r.view.pindShown, (QList<int>{0x43, 0x43}));
    EXPECT_EQ(r.interp.pind_bits, (std::array<int, 8>{1, 1, 0, 0, 0, 0, 1, 0}));
    EXPECT_TRUE(r.view.messages.isEmpty());
  }
  for (const char* line : {"If pinD.8=1 Then", "If pinB.9=0 Then"}) {
    Rig r;
    r.run({QString::fromLatin1(line), QStringLiteral("portB=1,10"), QStringLiteral("End If")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("1行目の「%1」のビット番号は0～7です！").arg(QLatin1String(line))});
    EXPECT_FALSE(r.patterns().contains(1));
  }
  for (const char* line : {"If x=1 Then", "If a=3", "If a=b Then"}) {
    Rig r;
    r.run({QString::fromLatin1(line), QStringLiteral("portB=1,10"), QStringLiteral("End If")});
    EXPECT_EQ(r.view.messages.size(), 1) << line;
    EXPECT_TRUE(r.view.messages.value(0).contains(QStringLiteral("数値が読めません"))) << line;
  }
}

TEST(Interpreter, AnyLengthAndNesting) {
  // 100 lines before the blocks, 30 nested Do's each left by Exit Do, 30 nested Ifs.
  QStringList program;
  for (int n = 0; n < 100; ++n) program << QStringLiteral("k=k+1");
  for (int n = 0; n < 30; ++n) program << QStringLiteral("Do");
  program << QStringLiteral("a=a+1") << QStringLiteral("Exit Do");
  for (int n = 0; n < 30; ++n) program << QStringLiteral("Loop") << QStringLiteral("Exit Do");
  program.removeLast();
  for (int n = 0; n < 30; ++n) program << QStringLiteral("If a=1 Then");
  program << QStringLiteral("portB=99,10");
  for (int n = 0; n < 30; ++n) program << QStringLiteral("End If");
  Rig r;
  r.run(program);
  EXPECT_TRUE(r.view.messages.isEmpty()) << r.view.messages.value(0).toStdString();
  EXPECT_EQ(r.interp.var_k, 100);
  EXPECT_EQ(r.interp.var_a, 1);
  EXPECT_EQ(r.patterns(), (QList<int>{0, 99, 0}));
}

TEST(Interpreter, StructureFaultsAreReportedBeforeTheRun) {
  struct Case {
    QStringList program;
    QString message;
  };
  const Case cases[] = {
      {{"portB=1,10", "Loop"}, "2行目の「Loop」に対応する「Do」がありません！"},
      {{"Next i"}, "1行目の「Next i」に対応する「For i」がありません！"},
      {{"For j=0 To 3", "Next i", "Next j"}, "2行目の「Next i」に対応する「For i」がありません！"},
      {{"End If"}, "1行目の「End If」に対応する「If」がありません！"},
      {{"a=1", "Else", "End If"}, "2行目の「Else」に対応する「If」がありません！"},
      {{"Return", "Sub x"}, "1行目の「Return」に対応する「Sub」がありません！"},
      {{"Exit Do", "Do", "portB=1,10", "Loop"}, "1行目の「Exit Do」に対応する「Do」がありません！"},
      {{"Do", "portB=1,10"}, "1行目の「Do」に対応する「Loop」がありません！"},
      {{"If a=0 Then", "portB=1,10"}, "1行目の「If a=0 Then」に対応する「End If」がありません！"},
      {{"If a=0 Then", "Else", "Else", "End If"}, "3行目の「Else」は同じIfの中で２つ目です！"},
      // The earliest broken line is named.
      {{"Do", "Loop", "Loop", "End If"}, "3行目の「Loop」に対応する「Do」がありません！"},
  };
  for (const Case& c : cases) {
    Rig r;
    r.run(c.program);
    EXPECT_EQ(r.view.messages, QStringList{c.message}) << c.message.toStdString();
    EXPECT_TRUE(r.view.selections.isEmpty());
    EXPECT_EQ(r.board.writes(), (QStringList{QStringLiteral("DDRB=255"), QStringLiteral("DDRB=255"),
                                             QStringLiteral("PORTB=255")}));
    EXPECT_EQ(r.view.runningStates, (QList<bool>{true, false}));
  }
}

TEST(Interpreter, SubProgramsNest) {
  const QStringList program{QStringLiteral("Gosub one"), QStringLiteral("portB=8,10"), QStringLiteral("End"),
                            QStringLiteral("Sub one"),   QStringLiteral("portB=1,10"), QStringLiteral("Gosub two"),
                            QStringLiteral("portB=2,10"), QStringLiteral("Return"),    QStringLiteral("Sub two"),
                            QStringLiteral("portB=4,10"), QStringLiteral("Return"),    QStringLiteral("Sub two"),
                            QStringLiteral("portB=16,10"), QStringLiteral("Return")};
  Rig r;
  r.interp.var_i = 3;
  r.run(program);
  // The later of two Subs with the same name is called.
  EXPECT_EQ(r.patterns(), (QList<int>{0, 1, 16, 2, 8, 0}));
  EXPECT_TRUE(r.view.messages.isEmpty());
  EXPECT_EQ(r.interp.var_i, 0);  // End
  EXPECT_EQ(r.view.selections.last(), program.size() - 1);

  Rig fallThrough;
  fallThrough.run({QStringLiteral("portB=1,10"), QStringLiteral("Sub x"), QStringLiteral("Return"),
                   QStringLiteral("portB=2,10")});
  EXPECT_EQ(fallThrough.view.messages,
            QStringList{QStringLiteral("3行目の「Return」の戻り先がありません！（Gosubから来ていません）")});
  EXPECT_EQ(fallThrough.patterns(), (QList<int>{0, 1, 0}));

  Rig recursive;
  recursive.run({QStringLiteral("Gosub r"), QStringLiteral("End"), QStringLiteral("Sub r"), QStringLiteral("Gosub r"),
                 QStringLiteral("Return")});
  EXPECT_EQ(recursive.view.messages,
            QStringList{QStringLiteral("4行目の「Gosub r」でGosubが深くなりすぎました！（64段まで）")});

  // A Gosub without its Sub goes on after the line.
  Rig missing;
  missing.run({QStringLiteral("Gosub nowhere"), QStringLiteral("portB=1,10")});
  EXPECT_EQ(missing.patterns(), (QList<int>{0, 1, 0}));
}

TEST(Interpreter, PauseResumeAndStop) {
  const QStringList program{QStringLiteral("a=5"),        QStringLiteral("wt1=500"),    QStringLiteral("portB=1,300"),
                            QStringLiteral("portB=2,300"), QStringLiteral("i=3"),        QStringLiteral("portB=4,wt1"),
                            QStringLiteral("a=a+1")};
  Rig r;
  // 中断 during the wait of line 3: the wait ends at once, the run pauses there.
  r.clock.at(1000 + 400, [&] { r.interp.requestPause(); });
  r.run(program);
  EXPECT_EQ(r.interp.resume_line, 3);
  EXPECT_TRUE(r.interp.isPaused());
  EXPECT_EQ(r.view.selections.last(), 3);
  EXPECT_LE(r.clock.waited(), 402u);
  EXPECT_EQ(r.patterns(), (QList<int>{0, 1, 2, 0}));

  // The next run goes on at line 4 with a kept and the wt values cleared.
  r.board.clearLog();
  r.view.selections.clear();
  r.run(program);
  EXPECT_EQ(r.view.selections.first(), 4);
  EXPECT_EQ(r.patterns(), (QList<int>{0, 4, 0}));
  EXPECT_EQ(r.view.labelTexts(RunView::Label::PortB).last(), QStringLiteral("portB=4,0"));
  EXPECT_EQ(r.interp.var_a, 6);
  EXPECT_EQ(r.interp.var_i, 3);
  // Having passed the last line, the program starts at the top next time.
  EXPECT_EQ(r.interp.resume_line, -1);
  EXPECT_FALSE(r.interp.isPaused());

  // STOP during a 60 s wait ends the run at once.
  Rig s;
  s.clock.at(1000 + 1000, [&] { s.interp.requestStop(); });
  s.interp.var_j = 4;
  s.run({QStringLiteral("portB=1,60000"), QStringLiteral("portB=2,300"), QStringLiteral("a=1")});
  EXPECT_LT(s.clock.waited(), 1100u);
  EXPECT_EQ(s.patterns(), (QList<int>{0, 1, 0}));
  EXPECT_EQ(s.view.selections.last(), 2);
  EXPECT_EQ(s.interp.var_j, 0);
  EXPECT_EQ(s.interp.resume_line, -1);
  EXPECT_EQ(s.view.runningStates, (QList<bool>{true, false}));

  // STOP while paused ends the pause: the next run starts at the top.
  Rig p;
  p.clock.at(1000 + 100, [&] { p.interp.requestPause(); });
  p.run(program);
  ASSERT_TRUE(p.interp.isPaused());
  p.interp.requestStop();
  EXPECT_FALSE(p.interp.isPaused());
  p.view.selections.clear();
  p.run(program);
  EXPECT_EQ(p.view.selections.first(), 0);

  // 中断 after an error does not turn the ending run into a pause.
  Rig e;
  e.interp.var_i = 9;
  e.clock.at(1000 + 100, [&] { e.interp.requestPause(); });
  e.run({QStringLiteral("portB=2^(7-i),300"), QStringLiteral("portB=1,300")});
  EXPECT_EQ(e.interp.resume_line, -1);
  EXPECT_FALSE(e.interp.isPaused());
}

TEST(Interpreter, LoopWithoutWaitsStaysResponsive) {
  Rig r;
  int lines = 0;
  r.view.onSelect = [&](int) { ++lines; };
  // A click that arrives while the program runs, handled between lines.
  QTimer::singleShot(0, [&] { r.interp.requestStop(); });
  r.run({QStringLiteral("Do"), QStringLiteral("k=k+1"), QStringLiteral("Loop")});
  EXPECT_FALSE(r.interp.isRunning());
  EXPECT_GT(lines, 1);
  EXPECT_LT(lines, 500);
  EXPECT_EQ(r.view.runningStates, (QList<bool>{true, false}));
}

TEST(Interpreter, RunStartAndLineStorage) {
  Rig r;
  r.run({QStringLiteral("   ddrB=15"), QStringLiteral("\u3000portB=1,10"), QStringLiteral("   Do"),
         QStringLiteral("   Loop\u3000")});
  // Lines holding a full-width blank are stored back with ASCII blanks, trimmed first.
  EXPECT_EQ(r.view.lines, (QStringList{QStringLiteral("   ddrB=15"), QStringLiteral(" portB=1,10"),
                                       QStringLiteral("   Do"), QStringLiteral("Loop ")}));
  EXPECT_EQ(r.view.stored, (QList<int>{1, 3}));
  // The stored "Loop " still reads as Loop, right after its Do.
  EXPECT_EQ(r.view.messages, QStringList{kDoLoop});

  Rig d;
  d.run({QStringLiteral("ddrB=15"), QStringLiteral("portB=3,10")});
  EXPECT_EQ(d.board.writes(),
            (QStringList{QStringLiteral("DDRB=255"), QStringLiteral("PORTB=255"), QStringLiteral("DDRB=15"),
                         QStringLiteral("DDRB=15"), QStringLiteral("PORTB=252"), QStringLiteral("DDRB=15"),
                         QStringLiteral("PORTB=255")}));
  EXPECT_EQ(d.view.directions, (QList<int>{255, 15}));
  EXPECT_EQ(d.view.instruction, QStringLiteral("portB=3,10"));

  // An empty program only sets up and ends.
  Rig empty;
  empty.run({});
  EXPECT_EQ(empty.board.writes(), (QStringList{QStringLiteral("DDRB=255"), QStringLiteral("PORTB=255"),
                                               QStringLiteral("DDRB=255"), QStringLiteral("PORTB=255")}));
}

TEST(Interpreter, FrameFromTheMeasuringBoard) {
  {
    Rig r;
    r.board.queueFrame(170);
    r.run({QStringLiteral("zarimu_data"), QStringLiteral("portB=a,10")});
    EXPECT_EQ(r.interp.var_a, 170);
    EXPECT_EQ(r.board.writes().mid(2, 3),
              (QStringList{QStringLiteral("DDRB=31"), QStringLiteral("DDRB=255"), QStringLiteral("PORTB=85")}));
  }
  {
    // A PINB sequence by hand: 0x7B first is no change, a second start restarts.
    Rig r;
    r.board.queuePinb({0x7B, 0x60, 0x40, 0x20, 0x00, 0x40, 0x00, 0x40, 0x00, 0x40, 0x00, 0x01});
    r.interp.var_a = 9;
    r.run({QStringLiteral("zarimu_data")});
    EXPECT_EQ(r.interp.var_a, 32 + 8 + 2);
  }
  {
    // A frame that never completes ends with a message after the time limit.
    Rig r;
    r.board.onPeek = [&] { r.clock.advance(1); };
    r.interp.var_a = 9;
    r.run({QStringLiteral("zarimu_data"), QStringLiteral("portB=1,10")});
    EXPECT_EQ(r.view.messages, QStringList{kFrameTimeoutMessage});
    EXPECT_EQ(r.interp.var_a, 9);
    EXPECT_GE(r.clock.waited(), quint64(kFrameWaitMs));
    EXPECT_LE(r.clock.waited(), quint64(kFrameWaitMs) + 5);
    EXPECT_FALSE(r.patterns().contains(1));
  }
  {
    // STOP ends the frame wait.
    Rig r;
    r.board.onPeek = [&] { r.clock.advance(1); };
    r.clock.at(1000 + 500, [&] { r.interp.requestStop(); });
    r.run({QStringLiteral("zarimu_data"), QStringLiteral("portB=1,10")});
    EXPECT_LT(r.clock.waited(), 600u);
    EXPECT_TRUE(r.view.messages.isEmpty());
    EXPECT_FALSE(r.patterns().contains(1));
  }
  {
    // 中断 during the frame wait: resuming waits for the frame again.
    Rig r;
    r.board.onPeek = [&] { r.clock.advance(1); };
    r.clock.at(1000 + 500, [&] { r.interp.requestPause(); });
    r.run({QStringLiteral("a=1"), QStringLiteral("zarimu_data"), QStringLiteral("portB=a,10")});
    EXPECT_EQ(r.interp.resume_line, 0);
    r.board.queueFrame(42);
    r.run({QStringLiteral("a=1"), QStringLiteral("zarimu_data"), QStringLiteral("portB=a,10")});
    EXPECT_EQ(r.interp.var_a, 42);
  }
  {
    // Without a board the line ends the run with the link message.
    Rig r;
    r.board.unplug();
    r.link.detect();
    r.run({QStringLiteral("zarimu_data"), QStringLiteral("portB=1,10")});
    EXPECT_EQ(r.view.messages, QStringList{platform::kLinkCaution});
  }
}

TEST(Interpreter, ExactEdgesOfTheRun) {
  {
    // A Do/Loop with one line in between runs; only an empty one is refused.
    Rig r;
    r.clock.at(1000 + 350, [&] { r.interp.requestStop(); });
    r.run({QStringLiteral("Do"), QStringLiteral("portB=1,100"), QStringLiteral("Loop")});
    EXPECT_TRUE(r.view.messages.isEmpty());
    EXPECT_EQ(r.patterns(), (QList<int>{0, 1, 1, 1, 1, 0}));
  }
  {
    // A Sub that calls itself: exactly the depth limit's number of outputs.
    Rig r;
    r.run({QStringLiteral("Gosub r"), QStringLiteral("End"), QStringLiteral("Sub r"), QStringLiteral("portB=1,10"),
           QStringLiteral("Gosub r"), QStringLiteral("Return")});
    EXPECT_EQ(r.patterns().count(1), Interpreter::kMaxCallDepth);
    EXPECT_EQ(r.view.messages,
              QStringList{QStringLiteral("5行目の「Gosub r」でGosubが深くなりすぎました！（64段まで）")});
  }
  {
    // An output time equal to 許容最大時間 runs and waits; one above it is refused.
    Rig r;
    r.view.allowed = QStringLiteral("300");
    r.run({QStringLiteral("portB=5,300"), QStringLiteral("portB=6,301"), QStringLiteral("portB=7,10")});
    EXPECT_EQ(r.view.messages, QStringList{QStringLiteral("出力時間の数値が大きすぎます！")});
    EXPECT_EQ(r.patterns(), (QList<int>{0, 5, 6, 0}));
    EXPECT_GE(r.clock.waited(), 300u);
    EXPECT_LE(r.clock.waited(), 302u);
  }
}

TEST(Interpreter, FrameReadWithoutABoardFailsAtOnce) {
  Rig r;
  r.board.unplug();
  r.link.detect();
  int reads = 0;
  // Every read costs a millisecond, and a read loop that never ends is cut
  // off, so a broken check fails the test instead of hanging it.
  r.board.onPeek = [&] {
    r.clock.advance(1);
    if (++reads == 20000) r.interp.requestStop();
  };
  r.run({QStringLiteral("zarimu_data"), QStringLiteral("portB=1,10")});
  EXPECT_EQ(r.view.messages, QStringList{platform::kLinkCaution});
  EXPECT_EQ(reads, 0);
  EXPECT_LT(r.clock.waited(), 100u);
  EXPECT_FALSE(r.patterns().contains(1));
}

TEST(Interpreter, FrameChangesBeforeTheStartMark) {
  // Every read costs a millisecond, so a frame that is not seen ends at the
  // time limit instead of hanging the test.
  {
    // Changes before a start mark count but a start mark begins afresh.
    Rig r;
    r.board.onPeek = [&] { r.clock.advance(1); };
    r.board.queuePinb({0x00, 0x40, 0x00, 0x60, 0x00, 0x40, 0x00, 0x40, 0x00, 0x40, 0x00});
    r.run({QStringLiteral("zarimu_data")});
    EXPECT_EQ(r.interp.var_a, 128 + 32 + 8 + 2);
  }
  {
    // Eight changes without any start mark make a byte: the first adds
    // nothing, the next seven give bits 6 to 0.
    Rig r;
    r.board.onPeek = [&] { r.clock.advance(1); };
    r.board.queuePinb({0x40, 0x00, 0x40, 0x00, 0x40, 0x00, 0x40, 0x00});
    r.run({QStringLiteral("zarimu_data")});
    EXPECT_EQ(r.interp.var_a, 32 + 8 + 2);
    EXPECT_TRUE(r.view.messages.isEmpty());
  }
  {
    // a changes only with the eighth change: seven changes and then silence
    // leave it as it was.
    Rig r;
    r.interp.var_a = 9;
    r.board.queuePinb({0x60, 0x40, 0x00, 0x40, 0x00, 0x40, 0x00});
    r.board.onPeek = [&] { r.clock.advance(1); };
    r.run({QStringLiteral("zarimu_data")});
    EXPECT_EQ(r.interp.var_a, 9);
    EXPECT_EQ(r.view.messages, QStringList{kFrameTimeoutMessage});
  }
}
