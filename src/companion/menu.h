#pragma once
// The menu of bremilo: seven panels, the window-position table and
// bremelo_san.ini. The only way out of the program.

#include "companion/bremilo_settings.h"
#include "companion/companion_host.h"

class QLabel;

namespace bremilo {

class TForm2;
class TForm4;
class TForm5;
class TForm7;
class TForm8;
class TForm9;

class TForm1 : public platform::ui::AppWindow, public CompanionHost {
  Q_OBJECT
 public:
  // Runs FormCreate: an empty table, then the settings file.
  explicit TForm1(const platform::AppContext& ctx);

  struct Windows {
    TForm2* form2 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm7* form7 = nullptr;
    TForm8* form8 = nullptr;
    TForm9* form9 = nullptr;
  };
  void attachWindows(const Windows& w) { windows_ = w; }

  // CompanionHost
  const platform::AppContext& context() const override { return ctx_; }
  void storePosition(int firstEntry, int top, int left) override;
  int position(int entry) const override;
  void showMenu() override;

  void ini_yomikomi();
  bool ini_hozon();

  void Panel1Click();
  void Panel10Click();
  void Panel11Click();
  void Panel5Click();
  void Panel2Click();
  void Panel4Click();
  void Panel3Click();

  PositionTable FormPositions{};

  QLabel* Label1 = nullptr;
  platform::ui::PanelButton* Panel1 = nullptr;
  platform::ui::PanelButton* Panel10 = nullptr;
  platform::ui::PanelButton* Panel11 = nullptr;
  platform::ui::PanelButton* Panel5 = nullptr;
  platform::ui::PanelButton* Panel2 = nullptr;
  platform::ui::PanelButton* Panel4 = nullptr;
  platform::ui::PanelButton* Panel3 = nullptr;

  bool ended() const { return ended_; }

 Q_SIGNALS:
  void endRequested();

 protected:
  void closeRequested() override { Panel3Click(); }

 private:
  void buildControls();
  // Shows the window at its pair, then hides the menu.
  void open(CompanionWindow* window, bool startLink);

  const platform::AppContext& ctx_;
  Windows windows_;
  bool ended_ = false;
};

}  // namespace bremilo
