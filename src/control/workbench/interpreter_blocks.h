#pragma once
// The block structure of a program, found once before it runs: which Do a
// Loop returns to, where Exit Do, a false If and Else continue, which For a
// Next repeats, and where each Sub starts. Any length and any nesting.

#include <QString>
#include <QStringList>

#include <unordered_map>
#include <vector>

namespace pelmora::workbench {

struct IfBlock {
  int elseLine = -1;  // -1: no Else
  int endLine = -1;
};

struct SubEntry {
  int line = 0;
  QString name;
};

struct BlockMap {
  std::unordered_map<int, int> doOfLoop;     // Loop line -> its Do line
  std::unordered_map<int, int> loopOfExit;   // Exit Do line -> Loop line of its Do
  std::unordered_map<int, int> forOfNextI;   // Next i line -> its For i line
  std::unordered_map<int, int> forOfNextJ;   // Next j line -> its For j line
  std::unordered_map<int, IfBlock> ifs;      // If line -> its Else and End If
  std::unordered_map<int, int> endOfElse;    // Else line -> End If line
  std::vector<SubEntry> subs;                // in program order

  // The first fault in the structure ("3行目の「Loop」に対応する「Do」がありません！"),
  // empty when the program can run.
  QString fault;
};

// lines as stored in the list; each is trimmed before it is looked at.
BlockMap scanBlocks(const QStringList& lines);

}  // namespace pelmora::workbench
