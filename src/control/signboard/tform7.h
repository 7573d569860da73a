#pragma once
// The sign-board window: a two-line LCD message of 80 cells typed from a
// palette, eight custom characters, eight messages chosen by three input
// pins, motion options, sign-board files and the BASIC program.

#include "control/common/tool_window.h"
#include "control/signboard/sign_basic.h"
#include "control/signboard/sign_design.h"

#include <QByteArray>
#include <QList>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace pelmora {

class TForm7 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm7(ToolHost& host);

  // What the menu hands over.
  void selectCircuit(int circuit) override;
  void setDialogPanelsVisible(bool visible) override;
  // Applies the lines of a sign-board file and shows the current condition;
  // a file with a malformed line is refused with a message.
  bool loadSignFile(const QString& path, const QList<QByteArray>& lines);

  const signboard::SignDesign& design() const { return design_; }
  const signboard::DotGrid& dots() const { return grid_; }
  int jouken_no() const { return design_.condition(); }
  int cursor_cell() const { return design_.cursor(); }
  // What the generator reads from the window's controls; nullopt (with a
  // message) when a text cannot go into the program.
  std::optional<signboard::BasicInput> basicInput();

  // Palette, cells and delete panels.
  void ButtonClick(int key);
  void BClick();
  void BClick2();
  void panelClick(int cell);
  void PNLsakujoClick();
  void PNLzensakujoClick();
  // Custom-character editor.
  void dotClick(int n);
  void PNLsiroClick();
  void PNLkuroClick();
  void PNLhantenClick();
  void PNLkakuteiClick();
  void RadioButtonClick(int i);
  void RBClick(const QByteArray& rows);
  // Conditions and options.
  void jouken();
  void jouken2();
  void CBjoukenClick();
  void RBkairoClick(int circuit);
  void RadioButton17Click();
  void RadioButton18Click();
  void RadioButton19Click();
  // Files and leaving.
  void PNLhozonClick();
  void PNLyobidasiClick();
  void PNLreadClick();
  void PNLsaveClick();
  void RBfileClick(int slot);
  void PNLsyuuryouClick();
  void PNLbascomClick();

  std::array<platform::ui::PanelButton*, signboard::kCells> cell_panel{};
  std::array<platform::ui::PanelButton*, signboard::kDots> dot_panel{};
  std::array<QPushButton*, 168> char_button{};
  std::array<QRadioButton*, signboard::kGlyphs> glyph_radio{};
  std::array<QLabel*, signboard::kGlyphs> glyph_label{};
  std::array<QRadioButton*, 9> file_radio{};

  platform::ui::PanelButton* PNLsakujo = nullptr;
  platform::ui::PanelButton* PNLzensakujo = nullptr;
  platform::ui::PanelButton* PNLsiro = nullptr;
  platform::ui::PanelButton* PNLkuro = nullptr;
  platform::ui::PanelButton* PNLhanten = nullptr;
  platform::ui::PanelButton* PNLkakutei = nullptr;
  QCheckBox* CBjouken2 = nullptr;
  QCheckBox* CBjouken3 = nullptr;
  QCheckBox* CBjouken4 = nullptr;
  QCheckBox* CBjouken = nullptr;
  QLabel* LBLjouken = nullptr;
  QRadioButton* RBkairo1 = nullptr;
  QRadioButton* RBkairo2 = nullptr;
  QRadioButton* RBkairo3 = nullptr;
  QRadioButton* RBavr1 = nullptr;
  QRadioButton* RBavr2 = nullptr;
  QCheckBox* CBcrystal = nullptr;
  QRadioButton* RBhidari = nullptr;
  QRadioButton* RBstop = nullptr;
  QRadioButton* RBmigi = nullptr;
  QRadioButton* RBblinkhidari = nullptr;
  QRadioButton* RBblink = nullptr;
  QRadioButton* RBblinkmigi = nullptr;
  QRadioButton* RBhidaristop = nullptr;
  QRadioButton* RBstophidari = nullptr;
  QComboBox* CBXkai = nullptr;
  QComboBox* CBXjikan = nullptr;
  QRadioButton* RadioButton17 = nullptr;
  QRadioButton* RadioButton18 = nullptr;
  QRadioButton* RadioButton19 = nullptr;
  QScrollBar* ScrollBar1 = nullptr;
  QLineEdit* EDTfile = nullptr;
  platform::ui::PanelButton* PNLhozon = nullptr;
  platform::ui::PanelButton* PNLyobidasi = nullptr;
  platform::ui::PanelButton* PNLread = nullptr;
  platform::ui::PanelButton* PNLsave = nullptr;
  platform::ui::PanelButton* PNLbascom = nullptr;
  platform::ui::PanelButton* PNLsyuuryou = nullptr;

 protected:
  void leaveRequested() override { PNLsyuuryouClick(); }

 private:
  void buildGrid();
  void buildPalette();
  void buildGlyphEditor();
  void buildConditions();
  void buildOptions();
  void buildFiles();
  void showCells();
  void showCell(int i);
  void showDots();
  void showGlyphLabels();
  int circuit() const;
  // data/<EDTfile>.dat, or empty (with a message) for a name that would
  // leave the data folder.
  QString namedFile();
  bool readSignFile(const QString& path);
  bool writeSignFile(const QString& path);
  bool writeBasic(const QString& relative, const QByteArray& bytes);

  signboard::SignDesign design_;
  signboard::DotGrid grid_;
  QString lastOpened_;
  QString lastSaved_;
};

}  // namespace pelmora
