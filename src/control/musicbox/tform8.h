#pragma once
// The music box: a melody written note by note (or imported) as 13 BASIC data
// lines and a tempo line, kept in melody files and turned into a program that
// plays it on one pin of the microcontroller.

#include "control/musicbox/basic_generator.h"
#include "control/musicbox/melody.h"
#include "control/common/tool_window.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pelmora {

class TForm8 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm8(ToolHost& host);

  // What the menu hands over.
  void selectCircuit(int circuit) override;
  void setDialogPanelsVisible(bool visible) override;
  // Reads a melody file into the editor; reports what goes wrong.
  bool readMelodyFile(const QString& path);

  musicbox::DataLines dataLines() const;
  void setDataLines(const musicbox::DataLines& lines);
  musicbox::KeySignature keySignature() const;
  musicbox::GeneratorSettings generatorSettings() const;

  // Editing.
  void kakutei();
  void kakutei2();
  void panel2Click();
  void panel3Click();
  void RBcolor();
  void CheckBox11Click();
  void Button51Click();
  void Button52Click();
  void PNLsakujoClick();
  // Button1-21 (solfège) and Button33-37 (rests).
  void ButtonClick(int button);
  // Panel9-29 (white keys) and Panel30-44 (black keys).
  void PanelClick(int panel);
  // RadioButton82-94: line n becomes the current line.
  void LineSelectorClick(int line);

  // Files.
  void RBfileClick(int slot);
  void PNLhozonClick();
  void PNLyobidasiClick();
  void PNLsaveClick();
  void PNLreadClick();
  void panel4Click();

  // Program generation and the microcontroller choices.
  void panel1Click();
  void PinClick(QRadioButton* pin);
  void RBkairoClick(int circuit);
  void CheckBox12Click();

  int CurLine = 1;

  // Slots as the window numbers them; index 0 unused.
  std::array<QRadioButton*, musicbox::kNoteSlots + 1> noteRadios{};       // RadioButton1-66
  std::array<QRadioButton*, musicbox::kLengthCount + 1> RBf{};            // RBf1-12
  std::array<QRadioButton*, musicbox::kTempoCount + 1> tempoRadios{};     // RadioButton75-81
  std::array<QLineEdit*, musicbox::kLineCount + 1> dataEdits{};           // Edit3-15
  std::array<QRadioButton*, musicbox::kLineCount + 1> lineSelectors{};    // RadioButton82-94
  std::array<QRadioButton*, 10> RBfile{};                                 // RBfile1-9
  std::array<QCheckBox*, 11> keyBoxes{};                                  // CheckBox1-10
  std::array<platform::ui::PanelButton*, 45> keyPanels{};                 // Panel9-44
  std::array<QPushButton*, 38> buttons{};                                 // Button1-21, 33-37

  QLineEdit* Edit1 = nullptr;
  QLineEdit* edit131 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QCheckBox* CheckBox11 = nullptr;
  platform::ui::PanelButton* Panel2 = nullptr;
  platform::ui::PanelButton* Panel3 = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* Button51 = nullptr;
  QPushButton* Button52 = nullptr;
  platform::ui::PanelButton* PNLsakujo = nullptr;

  QLineEdit* EDTfile = nullptr;
  platform::ui::PanelButton* PNLhozon = nullptr;
  platform::ui::PanelButton* PNLyobidasi = nullptr;
  platform::ui::PanelButton* PNLsave = nullptr;
  platform::ui::PanelButton* PNLread = nullptr;
  platform::ui::PanelButton* Panel4 = nullptr;
  platform::ui::PanelButton* Panel1 = nullptr;

  QRadioButton* RBavr1 = nullptr;
  QRadioButton* RBavr2 = nullptr;
  QCheckBox* CBcrystal = nullptr;
  std::array<QRadioButton*, 8> RBb{};
  QRadioButton* RBc5 = nullptr;
  QRadioButton* RBd0 = nullptr;
  QRadioButton* RBd1 = nullptr;
  QRadioButton* RBkairo1 = nullptr;
  QRadioButton* RBkairo2 = nullptr;
  QRadioButton* RBkairo3 = nullptr;
  QCheckBox* CheckBox12 = nullptr;
  QCheckBox* CheckBox13 = nullptr;
  std::array<QRadioButton*, 6> conditionPins{};  // RadioButton67-72: D0 D1 D3 D4 D5 D6
  QLabel* Label3 = nullptr;

 protected:
  void leaveRequested() override { panel4Click(); }

 private:
  void buildNotes();
  void buildKeyboard();
  void buildData();
  void buildCurrentNote();
  void buildFiles();
  void buildMicrocontroller();
  void appendToCurrentLine(const QString& code);
  void checkLineSelector(int line);
  void showLoaded(const QString& tempoLine, const musicbox::DataLines& lines);
  void importTextMelody(const QString& path);
  // The slot file, or empty (and reported) when the slot name would leave
  // the data folder.
  QString slotPath();
  bool writeMelody(const QString& path);
  bool askToRead(const QString& path);
};

}  // namespace pelmora
