#pragma once
// The five help pages: static texts about the measuring board, each with one
// panel to leave.

#include "companion/companion_host.h"

class QLabel;

namespace bremilo {

// A page of a title and a text, its leave panel at the bottom right.
class HelpPage : public CompanionWindow {
  Q_OBJECT
 public:
  HelpPage(CompanionHost& host, int firstEntry, const QString& caption, const QString& title, const QString& body,
           quint32 colour);
  QLabel* title() const { return title_; }
  QLabel* body() const { return body_; }

 protected:
  // The leave panel, placed at the bottom right.
  platform::ui::PanelButton* addLeavePanel(const QString& caption);

 private:
  QLabel* title_ = nullptr;
  QLabel* body_ = nullptr;
};

// How the board records on its own.
class TForm4 : public HelpPage {
  Q_OBJECT
 public:
  explicit TForm4(CompanionHost& host);
  void PNLsyuuryouClick() { leaveToMenu(); }
  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

// What the board and this program are.
class TForm5 : public HelpPage {
  Q_OBJECT
 public:
  explicit TForm5(CompanionHost& host);
  void Panel1Click() { leaveToMenu(); }
  platform::ui::PanelButton* Panel1 = nullptr;
};

// The board's games. Opened over the board-menu page, which stays visible, so
// leaving it does not show the menu.
class TForm6 : public HelpPage {
  Q_OBJECT
 public:
  explicit TForm6(CompanionHost& host);
  void Panel1Click();
  platform::ui::PanelButton* Panel1 = nullptr;

 protected:
  void leaveRequested() override { Panel1Click(); }
};

// How the board's correction value is stored.
class TForm8 : public HelpPage {
  Q_OBJECT
 public:
  explicit TForm8(CompanionHost& host);
  void PNLsyuuryouClick() { leaveToMenu(); }
  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

// The board's menus; opens the game page.
class TForm9 : public HelpPage {
  Q_OBJECT
 public:
  TForm9(CompanionHost& host, TForm6& gamePage);
  void PNLsyuuryouClick() { leaveToMenu(); }
  void Panel2Click();
  platform::ui::PanelButton* PNLsyuuryou = nullptr;
  platform::ui::PanelButton* Panel2 = nullptr;

 private:
  TForm6& gamePage_;
};

}  // namespace bremilo
