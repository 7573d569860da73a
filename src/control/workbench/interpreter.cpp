#include "control/workbench/interpreter.h"

#include "control/workbench/interpreter_frame.h"
#include "control/workbench/interpreter_text.h"

#include <QRegularExpression>

#include <algorithm>

namespace pelmora::workbench {
namespace {

constexpr char16_t kWideBlank = u'\u3000';

}  // namespace

Interpreter::Interpreter(RunView& view, platform::BoardLink& link, platform::DeadlineWait& wait)
    : view_(view), link_(link), wait_(wait) {}

void Interpreter::siteisuu_hantei() {
  link_.writePortB(ddrb_value, 255 - portb_value);
  view_.showOutputs(portb_value);
}

void Interpreter::ddrb_hantei() {
  view_.showDirection(ddrb_value);
  link_.poke(link_.ddrb_adr, ddrb_value);
}

void Interpreter::pinbdat_hantei() {
  pinb_value = link_.readPinb();
  for (int n = 0; n < 8; ++n) pinb_bits[static_cast<size_t>(n)] = (pinb_value >> n) & 1;
  view_.showPinb(pinb_value);
}

void Interpreter::pinddat_hantei() {
  pind_value = link_.readPind();
  // Only D6, D1 and D0 are wired to inputs on the board.
  for (int n : {6, 1, 0}) pind_bits[static_cast<size_t>(n)] = (pind_value >> n) & 1;
  view_.showPind(pind_value);
}

void Interpreter::requestStop() {
  ++requests_;
  if (isPaused()) {
    // STOP ends a pause: the next run starts at the top.
    resume_line = -1;
    var_i = 0;
    var_j = 0;
    returns_.clear();
  }
  stop_request = 9;
}

void Interpreter::requestPause() {
  // A run that is already ending (STOP, an error) is not turned into a pause.
  if (!running_ || stop_request == 9) return;
  ++requests_;
  stop_request = 1;
}

void Interpreter::run() {
  if (running_) return;
  running_ = true;
  try {
    view_.setRunning(true);
    wt1 = 0;
    wt2 = 0;
    ddrb_value = 255;
    ddrb_hantei();
    view_.autoSave();

    QStringList lines = view_.programLines();
    for (int n = 0; n < lines.size(); ++n) {
      QString s = trimBlanks(lines.at(n));
      if (!s.contains(QChar(kWideBlank))) continue;
      while (s.contains(QChar(kWideBlank))) s[s.indexOf(QChar(kWideBlank))] = u' ';
      lines[n] = s;
      view_.storeLine(n, s);
    }
    blocks_ = scanBlocks(lines);
    if (!blocks_.fault.isEmpty()) {
      view_.message(blocks_.fault);
    } else {
      runLines(lines);
    }
  } catch (...) {
    // Nothing may leave a click handler; the run ends in order instead.
    view_.message(QStringLiteral("プログラムを実行できませんでした！"));
    resume_line = -1;
    stop_request = 0;
  }
  portb_value = 0;
  siteisuu_hantei();
  view_.setRunning(false);
  running_ = false;
}

void Interpreter::runLines(const QStringList& lines) {
  stop_request = 0;
  int m = resume_line;
  if (m < 0) returns_.clear();
  wt1 = 0;
  wt2 = 0;
  link_.poke(link_.portb_adr, 255);
  linesSincePump_ = 0;
  lastPump_ = wait_.clock().tickCount();
  const int last = static_cast<int>(lines.size()) - 1;
  bool ended = false;
  while (m < last) {
    ++m;
    lineNo_ = m;
    view_.selectLine(m);
    view_.showInstruction(lines.at(m));
    const QString s = trimBlanks(lines.at(m));
    view_.showLabel(RunView::Label::I, QStringLiteral("i=%1").arg(var_i));
    view_.showLabel(RunView::Label::J, QStringLiteral("j=%1").arg(var_j));
    view_.showLabel(RunView::Label::A, QStringLiteral("a=%1").arg(var_a));
    const int lineRun = m;
    frameCut_ = false;
    try {
      execute(m, s);
    } catch (const LineError& e) {
      fail(e.text);
    }
    pumpNowAndThen();
    if (stop_request == 9) {
      resume_line = -1;
      view_.selectLine(last);
      stop_request = 0;
      var_i = 0;
      var_j = 0;
      ended = true;
      break;
    }
    if (stop_request == 1) {
      // A frame wait cut short is received again on resuming.
      resume_line = frameCut_ ? lineRun - 1 : m;
      view_.selectLine(m);
      ended = true;
      break;
    }
  }
  // Passing the last line ends the program: the next run starts at the top.
  if (!ended) resume_line = -1;
}

void Interpreter::pumpNowAndThen() {
  platform::Clock& clock = wait_.clock();
  if (++linesSincePump_ < kPumpEveryLines && static_cast<qint32>(clock.tickCount() - lastPump_) < kPumpEveryMs)
    return;
  clock.pumpFor(0);
  linesSincePump_ = 0;
  lastPump_ = clock.tickCount();
}

void Interpreter::fail(const QString& text) {
  view_.message(text);
  resume_line = -1;
  stop_request = 9;
  var_i = 0;
  var_j = 0;
}

void Interpreter::unreadable(const QString& s) const {
  throw LineError{QStringLiteral("%1行目の「%2」の数値が読めません！").arg(lineNo_ + 1).arg(s)};
}

int Interpreter::number(const QString& text, const QString& s) const {
  const auto v = readNumber(text);
  if (!v) unreadable(s);
  return *v;
}

int Interpreter::checked(std::optional<qint32> v, const QString& s) const {
  if (!v) throw LineError{QStringLiteral("%1行目の「%2」の計算結果が大きすぎます！").arg(lineNo_ + 1).arg(s)};
  return *v;
}

int Interpreter::powerOf(qint32 base, qint32 exp, const QString& s) const {
  const PowerResult r = power(base, exp);
  if (r.fault == PowerFault::TooLarge) checked(std::nullopt, s);
  if (r.fault == PowerFault::Fraction)
    throw LineError{QStringLiteral("%1行目の「%2」の計算結果が小数になります！").arg(lineNo_ + 1).arg(s)};
  return r.value;
}

int& Interpreter::variable(QChar letter) {
  switch (letter.unicode()) {
    case u'i': return var_i;
    case u'j': return var_j;
    case u'k': return var_k;
    default: return var_a;
  }
}

void Interpreter::execute(int& m, const QString& s) {
  if (s.contains(QLatin1String("ddrB"))) {
    const int value = number(after(s, pos(QStringLiteral("="), s)), s);
    // The register takes a byte: 300 would reach it as 44.
    if (value < 0 || value > 255)
      throw LineError{QStringLiteral("%1行目の「%2」の入出力設定の値は0～255です！").arg(lineNo_ + 1).arg(s)};
    ddrb_value = value;
    ddrb_hantei();
  }
  if (s == QLatin1String("Loop")) {
    if (auto it = blocks_.doOfLoop.find(m); it != blocks_.doOfLoop.end()) {
      if (m - it->second >= 2) m = it->second;
      else fail(QStringLiteral("DoとLoopの間に命令がないと暴走します！"));
    }
  }
  if (s == QLatin1String("Exit Do")) {
    if (auto it = blocks_.loopOfExit.find(m); it != blocks_.loopOfExit.end()) m = it->second;
  }
  if (s.startsWith(QLatin1String("If"))) {
    const bool holds = condition(s);
    if (auto it = blocks_.ifs.find(m); !holds && it != blocks_.ifs.end())
      m = it->second.elseLine >= 0 ? it->second.elseLine : it->second.endLine;
  }
  if (s == QLatin1String("Else")) {
    if (auto it = blocks_.endOfElse.find(m); it != blocks_.endOfElse.end()) m = it->second;
  }
  for (QChar letter : {QChar(u'i'), QChar(u'j')}) {
    if (!s.startsWith(QStringLiteral("For ") + letter)) continue;
    const int eq = pos(QStringLiteral("="), s);
    const int to = pos(QStringLiteral("To"), s);
    const int start = number(copy(s, eq + 1, to - eq - 1), s);
    const int end = number(after(s, to + 1), s);
    variable(letter) = start;
    (letter == u'i' ? end_i : end_j) = end;
  }
  for (QChar letter : {QChar(u'i'), QChar(u'j')}) {
    if (s != QStringLiteral("Next ") + letter) continue;
    const auto& table = letter == u'i' ? blocks_.forOfNextI : blocks_.forOfNextJ;
    auto it = table.find(m);
    if (it == table.end()) continue;
    int& v = variable(letter);
    const int end = letter == u'i' ? end_i : end_j;
    if (end < v) {
      v = checked(checkedSub(v, 1), s);
      if (v >= end) m = it->second;
    } else {
      v = checked(checkedAdd(v, 1), s);
      if (v <= end) m = it->second;
    }
  }
  if (s.contains(QLatin1String("wt1="))) wt1 = number(after(s, 4), s);
  if (s.contains(QLatin1String("wt2="))) wt2 = number(after(s, 4), s);
  if (s.startsWith(QLatin1String("portB"))) outputLine(s);
  for (QChar letter : {QChar(u'a'), QChar(u'i'), QChar(u'j'), QChar(u'k')}) {
    if (s.startsWith(QString(letter) + u'=')) assign(letter, s);
  }
  if (s.startsWith(QLatin1String("Gosub"))) {
    const QString name = trimBlanks(after(s, 6));
    // The last Sub of that name is the one called.
    auto sub = std::find_if(blocks_.subs.rbegin(), blocks_.subs.rend(),
                            [&](const SubEntry& e) { return e.name == name; });
    if (sub != blocks_.subs.rend()) {
      if (static_cast<int>(returns_.size()) >= kMaxCallDepth)
        throw LineError{QStringLiteral("%1行目の「%2」でGosubが深くなりすぎました！（%3段まで）")
                            .arg(lineNo_ + 1)
                            .arg(s)
                            .arg(kMaxCallDepth)};
      returns_.push_back(m);
      m = sub->line;
    }
  }
  if (s == QLatin1String("Return")) {
    if (returns_.empty())
      throw LineError{QStringLiteral("%1行目の「Return」の戻り先がありません！（Gosubから来ていません）").arg(lineNo_ + 1)};
    m = returns_.back();
    returns_.pop_back();
  }
  if (s == QLatin1String("zarimu_data")) receiveFrame();
  if (s == QLatin1String("End")) {
    resume_line = -1;
    stop_request = 9;
    var_i = 0;
    var_j = 0;
  }
}

void Interpreter::outputLine(const QString& s) {
  const QChar seventh = charAt(s, 7);
  // After a fault of its own the line writes the value it had.
  int value = portb_value;
  if (s.contains(QLatin1String("a,"))) {
    value = var_a;
  } else if (seventh == u'i' || seventh == u'j' || seventh == u'k') {
    value = variable(seventh);
  } else if (s.contains(u'^')) {
    const int base = number(between(s, u'=', u'^'), s);
    const QChar ninth = charAt(s, 9);
    if (ninth == u'i' || ninth == u'j') {
      value = powerOf(base, variable(ninth), s);
    } else if (ninth == u'(') {
      const int top = number(between(s, u'(', u'-'), s);
      bool matched = false;
      for (QChar letter : {QChar(u'i'), QChar(u'j')}) {
        if (!s.contains(letter)) continue;
        matched = true;
        const int exp = checked(checkedSub(top, variable(letter)), s);
        if (exp < 0) fail(QStringLiteral("計算結果が負になります！"));
        else value = powerOf(base, exp, s);
      }
      if (!matched) unreadable(s);
    } else {
      unreadable(s);
    }
  } else if (s.contains(u'.')) {
    fail(QStringLiteral("小数は使えません！"));
  } else {
    value = number(copy(s, 7, pos(QStringLiteral(","), s) - 7), s);
  }
  // The port takes a byte: anything else would light the wrong LEDs.
  if (value < 0 || value > 255)
    throw LineError{QStringLiteral("%1行目の「%2」の出力値は0～255です！").arg(lineNo_ + 1).arg(s)};
  portb_value = value;
  siteisuu_hantei();

  if (s.contains(QLatin1String("wt1"))) out_time = wt1;
  else if (s.contains(QLatin1String("wt2"))) out_time = wt2;
  else if (s.contains(QLatin1String(",a"))) out_time = var_a;
  else out_time = number(after(s, pos(QStringLiteral(","), s)), s);
  view_.showLabel(RunView::Label::PortB, QStringLiteral("portB=%1,%2").arg(portb_value).arg(out_time));

  const auto allowed = readNumber(view_.allowedTimeText());
  if (!allowed) throw LineError{QStringLiteral("許容最大時間の数値が読めません！")};
  if (*allowed < out_time) {
    fail(QStringLiteral("出力時間の数値が大きすぎます！"));
    return;
  }
  // STOP and 中断 cut the wait short.
  const int mark = requests_;
  wait_.Timeout_Wait(static_cast<quint32>(std::max(out_time, 0)), [this, mark] { return requestedSince(mark); });
  linesSincePump_ = 0;
  lastPump_ = wait_.clock().tickCount();
}

bool Interpreter::condition(const QString& s) {
  QString body = trimBlanks(after(s, 2));
  if (!body.endsWith(QLatin1String("Then"))) unreadable(s);
  body = trimBlanks(body.chopped(4));
  const qsizetype at = body.indexOf(QRegularExpression(QStringLiteral("[=<>]")));
  if (at <= 0) unreadable(s);
  const QString lhs = trimBlanks(body.left(at));
  const QChar op = body.at(at);
  const int rhs = number(body.mid(at + 1), s);

  int value = 0;
  if (lhs == QLatin1String("a") || lhs == QLatin1String("i") || lhs == QLatin1String("j") ||
      lhs == QLatin1String("k")) {
    value = variable(lhs.at(0));
  } else if (lhs == QLatin1String("pinB")) {
    pinbdat_hantei();
    value = pinb_value;
  } else if (lhs.startsWith(QLatin1String("pinB.")) || lhs.startsWith(QLatin1String("pinD."))) {
    const auto bit = readNumber(lhs.mid(5));
    if (!bit) unreadable(s);
    if (*bit < 0 || *bit > 7)
      throw LineError{QStringLiteral("%1行目の「%2」のビット番号は0～7です！").arg(lineNo_ + 1).arg(s)};
    if (lhs.at(3) == u'D') {
      pinddat_hantei();
      value = pind_bits[static_cast<size_t>(*bit)];
    } else {
      pinbdat_hantei();
      value = pinb_bits[static_cast<size_t>(*bit)];
    }
  } else {
    unreadable(s);
  }
  if (op == u'>') return value > rhs;
  if (op == u'<') return value < rhs;
  return value == rhs;
}

void Interpreter::assign(QChar letter, const QString& s) {
  const QString x(letter);
  int& v = variable(letter);
  auto has = [&](const QString& part) { return s.contains(part); };
  if (has(x + u'=' + x + u'+')) {
    v = checked(checkedAdd(v, number(after(s, 4), s)), s);
  } else if (s == x + QLatin1String("=i")) {
    v = var_i;
  } else if (letter == u'j' ? s == QLatin1String("j=j") : has(x + QLatin1String("=j"))) {
    v = var_j;
  } else if (has(x + u'=' + x + u'-')) {
    v = checked(checkedSub(v, number(after(s, 4), s)), s);
  } else if (has(QString(u'-') + x)) {
    v = checked(checkedSub(number(between(s, u'=', u'-'), s), v), s);
  } else if (has(x + u'=' + x + u'*')) {
    v = checked(checkedMul(v, number(after(s, 4), s)), s);
  } else if (has(QString(u'^') + x)) {
    v = powerOf(number(between(s, u'=', u'^'), s), v, s);
  } else if (has(x + QLatin1String("=int(") + x)) {
    const int divisor = number(copy(s, 9, static_cast<int>(s.size()) - 9), s);
    if (divisor == 0)
      throw LineError{QStringLiteral("%1行目の「%2」で0で割っています！").arg(lineNo_ + 1).arg(s)};
    if (divisor == -1) v = checked(checkedMul(v, -1), s);
    else v = v / divisor;
  } else if (has(x + QLatin1String("=pinB"))) {
    v = pinb_value;
  } else if (has(x + QLatin1String("=portB"))) {
    v = portb_value;
  } else {
    v = number(after(s, 2), s);
  }
  if (v < 0) {
    view_.message(QStringLiteral("計算結果が%1<0になります！\u3000%1=0にします").arg(letter));
    v = 0;
  }
}

void Interpreter::receiveFrame() {
  const int mark = requests_;
  const FrameResult r = zarimudat_read(link_, wait_, [this, mark] { return requestedSince(mark); });
  switch (r.outcome) {
    case FrameOutcome::Received: var_a = r.value; break;
    case FrameOutcome::TimedOut: fail(kFrameTimeoutMessage); break;
    case FrameOutcome::NoBoard: fail(platform::kLinkCaution); break;
    case FrameOutcome::Cancelled: frameCut_ = true; break;
  }
  linesSincePump_ = 0;
  lastPump_ = wait_.clock().tickCount();
}

}  // namespace pelmora::workbench
