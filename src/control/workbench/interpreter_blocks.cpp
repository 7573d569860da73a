#include "control/workbench/interpreter_blocks.h"

#include "control/workbench/interpreter_text.h"

#include <map>

namespace pelmora::workbench {
namespace {

QString unmatched(int line, const QString& text, const QString& partner) {
  return QStringLiteral("%1行目の「%2」に対応する「%3」がありません！").arg(line + 1).arg(text, partner);
}

struct Open {
  int line;
  QString text;
};

}  // namespace

BlockMap scanBlocks(const QStringList& lines) {
  BlockMap map;
  std::vector<Open> dos, forsI, forsJ, ifs;
  std::vector<std::pair<int, int>> exits;  // Exit Do line, Do line
  std::map<int, int> loopOfDo;
  // The earliest fault wins, so the pupil is sent to the first broken line.
  int faultLine = -1;
  auto fail = [&](int line, const QString& text) {
    if (faultLine < 0 || line < faultLine) {
      faultLine = line;
      map.fault = text;
    }
  };

  auto close = [&](std::vector<Open>& stack, int n, const QString& s, const QString& opener) -> std::optional<Open> {
    if (stack.empty()) {
      fail(n, unmatched(n, s, opener));
      return std::nullopt;
    }
    Open o = stack.back();
    stack.pop_back();
    return o;
  };

  for (int n = 0; n < lines.size(); ++n) {
    const QString s = trimBlanks(lines.at(n));
    if (s == QLatin1String("Do")) dos.push_back({n, s});
    if (s == QLatin1String("Exit Do")) {
      if (dos.empty()) fail(n, unmatched(n, s, QStringLiteral("Do")));
      else exits.emplace_back(n, dos.back().line);
    }
    if (s == QLatin1String("Loop")) {
      if (auto o = close(dos, n, s, QStringLiteral("Do"))) {
        map.doOfLoop[n] = o->line;
        loopOfDo[o->line] = n;
      }
    }
    if (s.startsWith(QLatin1String("For i"))) forsI.push_back({n, s});
    if (s.startsWith(QLatin1String("For j"))) forsJ.push_back({n, s});
    if (s == QLatin1String("Next i")) {
      if (auto o = close(forsI, n, s, QStringLiteral("For i"))) map.forOfNextI[n] = o->line;
    }
    if (s == QLatin1String("Next j")) {
      if (auto o = close(forsJ, n, s, QStringLiteral("For j"))) map.forOfNextJ[n] = o->line;
    }
    if (s.startsWith(QLatin1String("Sub"))) map.subs.push_back({n, trimBlanks(after(s, 4))});
    if (s == QLatin1String("Return") && map.subs.empty()) fail(n, unmatched(n, s, QStringLiteral("Sub")));
    if (s.startsWith(QLatin1String("If"))) {
      ifs.push_back({n, s});
      map.ifs[n] = IfBlock{};
    }
    if (s == QLatin1String("Else")) {
      if (ifs.empty()) {
        fail(n, unmatched(n, s, QStringLiteral("If")));
      } else {
        IfBlock& block = map.ifs[ifs.back().line];
        if (block.elseLine >= 0)
          fail(n, QStringLiteral("%1行目の「Else」は同じIfの中で２つ目です！").arg(n + 1));
        else
          block.elseLine = n;
      }
    }
    if (s == QLatin1String("End If")) {
      if (auto o = close(ifs, n, s, QStringLiteral("If"))) {
        IfBlock& block = map.ifs[o->line];
        block.endLine = n;
        if (block.elseLine >= 0) map.endOfElse[block.elseLine] = n;
      }
    }
  }

  for (const auto& [exitLine, doLine] : exits) {
    auto it = loopOfDo.find(doLine);
    if (it != loopOfDo.end()) map.loopOfExit[exitLine] = it->second;
  }
  // Openers left open: the run could not know where to continue.
  for (const Open& o : dos) fail(o.line, unmatched(o.line, o.text, QStringLiteral("Loop")));
  for (const Open& o : forsI) fail(o.line, unmatched(o.line, o.text, QStringLiteral("Next i")));
  for (const Open& o : forsJ) fail(o.line, unmatched(o.line, o.text, QStringLiteral("Next j")));
  for (const Open& o : ifs) fail(o.line, unmatched(o.line, o.text, QStringLiteral("End If")));
  return map;
}

}  // namespace pelmora::workbench
