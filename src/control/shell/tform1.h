#pragma once
// The main menu of pelmora: pupil number, the seven tool panels, the settings
// panel and pelmora.ini. The only way out of the program.

#include "control/shell/settings.h"
#include "control/common/tool_host.h"
#include "platform/ui/widgets.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace pelmora {

class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class ToolWindow;

class TForm1 : public platform::ui::AppWindow, public ToolHost {
  Q_OBJECT
 public:
  // Runs FormCreate: position table, program folder, settings, data folder.
  explicit TForm1(const platform::AppContext& ctx);

  struct Tools {
    TForm2* form2 = nullptr;
    TForm6* form6 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm7* form7 = nullptr;
    TForm8* form8 = nullptr;
    TForm9* form9 = nullptr;
  };
  // The tools' dialog panels follow the settings read at start.
  void attachTools(const Tools& tools);

  // ToolHost
  const platform::AppContext& context() const override { return ctx_; }
  QString pupilNumber() const override;
  bool oneStepUpload() const override;
  int targetCircuit() const override;
  void storePosition(int firstEntry, int top, int left) override;
  int position(int entry) const override;
  void showMenu() override;
  void upload() override;

  void ini_yomikomi();
  bool ini_hozon();
  void maikon();
  MenuSettings currentSettings() const;

  void PNLmenu1Click();
  void PNLmenu2Click();
  void PNLmenu3Click();
  void PNLmenu4Click();
  void PNLmenu5Click();
  void PNLmenu6Click();
  void PNLmenu7Click();
  void PNLendClick();
  void PNLsetteiClick();
  void PNLtojiruClick();
  void CBmaikonClick();

  PositionTable FormPositions{};
  QString AppDir;
  QString StudentNumber;
  QString CurrentFilePath;
  QString LineBuffer;

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  platform::ui::PanelButton* PNLmenu1 = nullptr;
  platform::ui::PanelButton* PNLmenu2 = nullptr;
  platform::ui::PanelButton* PNLmenu3 = nullptr;
  platform::ui::PanelButton* PNLmenu4 = nullptr;
  platform::ui::PanelButton* PNLmenu5 = nullptr;
  platform::ui::PanelButton* PNLmenu6 = nullptr;
  platform::ui::PanelButton* PNLmenu7 = nullptr;
  platform::ui::PanelButton* PNLend = nullptr;
  platform::ui::PanelButton* PNLsettei = nullptr;
  QGroupBox* GBsettei = nullptr;
  QCheckBox* CBmaikon = nullptr;
  QGroupBox* GBkairo = nullptr;
  QRadioButton* RBkairo1 = nullptr;
  QRadioButton* RBkairo2 = nullptr;
  QRadioButton* RBkairo3 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QCheckBox* CBdialog = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QCheckBox* CBdouji = nullptr;
  QCheckBox* CBsyokisettei = nullptr;
  platform::ui::PanelButton* PNLtojiru = nullptr;

  // True once 終了 has asked the program to end.
  bool ended() const { return ended_; }

 Q_SIGNALS:
  void endRequested();

 protected:
  void closeRequested() override { PNLendClick(); }

 private:
  void buildControls();
  void applySettings(const MenuSettings& s);
  // PNLread/PNLsave of the three file tools, shown exactly when CBdialog is checked.
  void showDialogPanels();
  // Shows tool at its pair and hides the menu.
  void openTool(ToolWindow* tool);
  // The script step of the workbench, sign board and music box openers.
  void runSettingsScript();
  // Refuses a pupil number that would leave the data folder.
  bool pupilNumberIsSafe(bool emptyAllowed);

  const platform::AppContext& ctx_;
  Tools tools_;
  bool ended_ = false;
};

}  // namespace pelmora
