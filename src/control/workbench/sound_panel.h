#pragma once
// The Sound panel of the workbench: pin, count and period of the instruction
// "Sound <pin>,<count>,<period>", and the note table that fills in both
// numbers from a note, a note length and a tempo.

#include <QWidget>

#include <array>

class QLabel;
class QRadioButton;
class QScrollBar;
class QTableWidget;

namespace platform::ui {
class PanelButton;
}

namespace pelmora::workbench {

class SoundPanel : public QWidget {
  Q_OBJECT
 public:
  explicit SoundPanel(QWidget* parent = nullptr);

  // The crystal box's click action: start values and ranges of the bars.
  void CBcrystalClick(bool crystal12MHz);
  void PNLsoundClick();
  void pinClick(QRadioButton* pin);
  void SBs1Change();
  void sbs2Change();
  void ScrollBar1Change();
  void ScrollBar2Change();
  // A click on column c (1-20) of the note table.
  void StringGrid1Click(int column);
  // Rows 2 and 3 from row 1, the note length and the tempo.
  void computeTable();

  platform::ui::PanelButton* PNLsound = nullptr;
  std::array<QRadioButton*, 8> RDBb{};  // RDBb0 ... RDBb7
  QRadioButton* RDBd0 = nullptr;
  QRadioButton* RDBd1 = nullptr;
  QRadioButton* RDBd6 = nullptr;
  QScrollBar* SBs1 = nullptr;
  QLabel* LBLs1 = nullptr;
  QScrollBar* sbs2 = nullptr;
  QLabel* LBLs2 = nullptr;
  QScrollBar* ScrollBar1 = nullptr;
  QLabel* nagasa = nullptr;
  QLabel* Label20 = nullptr;
  QScrollBar* ScrollBar2 = nullptr;
  QLabel* tempo = nullptr;
  QTableWidget* StringGrid1 = nullptr;

 Q_SIGNALS:
  // PNLsound was clicked: the instruction goes into the instruction box.
  void instructionChosen(const QString& instruction);

 private:
  void recompose();
};

}  // namespace pelmora::workbench
