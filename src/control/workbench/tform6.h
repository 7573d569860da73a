#pragma once
// The programming workbench (簡易プログラミング): instruction panels, the
// program list and its editing panels, the board I/O panel, program files and
// printing. The run, the BASIC generation and the Sound panel hang their
// controls and handlers on this window.

#include "control/common/tool_window.h"
#include "control/workbench/instruction_texts.h"
#include "control/workbench/program_edit.h"
#include "platform/board.h"

#include <QList>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPagedPaintDevice;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace platform {
class DeadlineWait;
}  // namespace platform

namespace pelmora {

namespace workbench {
class BascomSettingsBox;
class SoundPanel;
class ClickLabel;
class DirectionPicture;
class Interpreter;
class RunView;
}  // namespace workbench

class TForm6 : public ToolWindow {
  Q_OBJECT
 public:
  using PanelButton = platform::ui::PanelButton;

  explicit TForm6(ToolHost& host);
  ~TForm6() override;

  // What the menu hands over.
  void startLinkTimer() override;
  void selectCircuit(int circuit) override;
  void setDialogPanelsVisible(bool visible) override;

  // --- Program list ---------------------------------------------------------
  QStringList programLines() const;
  void setProgramLines(const QStringList& lines);
  // The list with its marks and the editing position, and back.
  workbench::ProgramEdit editState() const;
  void applyEdit(const workbench::ProgramEdit& edit);

  // --- Board I/O (register routines the run uses) --------------------------
  void siteisuu_hantei();
  void led_hantei();
  void ddrb_hantei();
  void pinbdat_hantei();
  void pinddat_hantei();
  // What the routines above show, without touching the board (the run does
  // its own register access and shows it through these).
  void showLeds();
  void showDdrb();
  void showPinb(int value);
  void showPind(int value);

  // --- The run ----------------------------------------------------------------
  workbench::Interpreter& interpreter() { return *interp_; }
  bool isRunning() const;
  // While a program runs only STOP and 中断 can be used and the window
  // cannot be left; the list keeps showing the current line.
  void setRunLock(bool running);

  // --- Files ----------------------------------------------------------------
  // Writes the program into slot 0 without asking; a failure is reported and
  // leaves the old file whole. Returns whether the file was written.
  bool autoSave();
  // AppDir + "data/" + name.
  QString dataPath(const QString& name) const;
  // Where 印刷 prints; the default printer unless a test sets another.
  std::function<std::unique_ptr<QPagedPaintDevice>()> printerFactory;

  // --- Unit-level state shared by the workbench -----------------------------
  QString syusseki_bangou;
  QString CurrentFilePath;
  int sel_index = 0;
  int jisage_level = 0;
  int out_time = 300;
  int portb_value = 0;
  int ddrb_value = 255;
  int pinb_value = 0;
  int pind_value = 0;
  std::array<quint8, 8> bit_weight{};
  std::array<quint8, 8> pinb_bits{};
  std::array<quint8, 8> pind_bits{};
  platform::BoardLink link;
  workbench::InstructionTexts texts;

  // --- Controls -------------------------------------------------------------
  // Mode
  QGroupBox* GRBmode = nullptr;
  QRadioButton* RDBsyokyuu = nullptr;
  QRadioButton* RDBtyuukyuu = nullptr;
  QRadioButton* RDBjoukyuu = nullptr;
  QRadioButton* RDBlcd = nullptr;
  QRadioButton* RDBsound = nullptr;
  // Panel groups the modes switch
  QFrame* PNLformenu = nullptr;
  QFrame* PNLif = nullptr;
  QFrame* PNLa = nullptr;
  QFrame* PNLjikan = nullptr;
  QFrame* PNLsubmenu = nullptr;
  QFrame* PNLlcdmenu = nullptr;
  QFrame* PNLsoundmenu = nullptr;  // filled by the Sound panel
  // Instruction panels
  PanelButton *PNLddrb = nullptr, *PNLdo = nullptr, *PNLloop = nullptr, *PNLend = nullptr, *PNLportb = nullptr;
  PanelButton *PNLexitdo = nullptr, *PNLportba = nullptr;
  PanelButton *PNLfor = nullptr, *PNLnext = nullptr, *PNLportb2hi = nullptr, *PNLportb2h7i = nullptr;
  PanelButton *PNLifpind = nullptr, *PNLifpinb = nullptr, *PNLifa = nullptr, *PNLelse = nullptr, *PNLendif = nullptr;
  PanelButton *PNLa0 = nullptr, *PNLaap1 = nullptr, *PNLaam1 = nullptr, *PNL255a = nullptr, *PNLaab2 = nullptr;
  PanelButton *PNLa2ha = nullptr, *PNLapinb = nullptr, *PNLaportb = nullptr, *PNLaas2 = nullptr, *PNLai = nullptr;
  PanelButton *PNLzarimu = nullptr, *PNLwt1 = nullptr, *PNLsub = nullptr, *PNLreturn = nullptr, *PNLgosub = nullptr;
  PanelButton *PNLcls = nullptr, *PNLlcd = nullptr, *PNLlocate = nullptr, *PNLwaitms = nullptr;
  PanelButton *PNLupperline = nullptr, *PNLlowerline = nullptr, *PNLdef = nullptr, *PNLchr = nullptr;
  PanelButton *PNLdisplayon = nullptr, *PNLdisplayoff = nullptr, *PNLcursoron = nullptr, *PNLcursoroff = nullptr;
  PanelButton *PNLshiftlcdr = nullptr, *PNLshiftlcdl = nullptr;
  // Variant radios and texts
  QRadioButton *RDBhitosii = nullptr, *RDBdainari = nullptr, *RDBsyounari = nullptr;
  QRadioButton *RDBi = nullptr, *RDBj = nullptr;
  QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr, *RadioButton3 = nullptr, *RadioButton4 = nullptr;
  QRadioButton *RDBms = nullptr, *RDBwt1 = nullptr, *RDBwt2 = nullptr;
  QComboBox* CMBsub = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLabel* Label12 = nullptr;
  // Output time
  QScrollBar* SCBjikan = nullptr;
  workbench::ClickLabel* Label16 = nullptr;
  // Program list and editing
  QLineEdit* EDTpro = nullptr;
  QListWidget* LSTpro = nullptr;
  QLabel* Label13 = nullptr;
  PanelButton *PNLtuika = nullptr, *PNLsounyuu = nullptr, *PNLteisei = nullptr, *PNLsakujo = nullptr;
  PanelButton *PNLzensakujo = nullptr, *PNLcopy = nullptr, *PNLpaste = nullptr;
  QGroupBox* GRBjisage = nullptr;
  std::array<QRadioButton*, 9> RDBjisage{};
  QScrollBar* SCRjisage = nullptr;
  QScrollBar* ScrollBar3 = nullptr;
  QLabel* LBLmojisize = nullptr;
  // Run (the interpreter drives these)
  PanelButton *PNLjikkou = nullptr, *PNLtyuudan = nullptr, *PNLstop = nullptr;
  QLabel *LBLi = nullptr, *LBLj = nullptr, *LBLa = nullptr;
  QLabel* LBLedit4 = nullptr;
  QLineEdit* Edit4 = nullptr;
  // BASIC generation
  PanelButton* PNLbascom = nullptr;
  QPushButton* BTsettei = nullptr;
  workbench::BascomSettingsBox* bascomsetteibox = nullptr;
  // The Sound panel's controls, inside PNLsoundmenu
  workbench::SoundPanel* soundPanel = nullptr;
  // Board I/O panel
  QFrame* PNLport = nullptr;
  std::array<PanelButton*, 8> bbt{};
  std::array<workbench::DirectionPicture*, 8> IMGb{};
  std::array<workbench::DirectionPicture*, 8> IMGinb{};
  std::array<QLabel*, 8> LBLb{};
  QLabel *LBLd6 = nullptr, *LBLd1 = nullptr, *LBLd0 = nullptr, *LBLd = nullptr;
  QLabel *LBLportb = nullptr, *LBLddrb = nullptr, *LBLpinb = nullptr;
  workbench::ClickLabel *Label7 = nullptr, *Label8 = nullptr;
  QLabel* Label4 = nullptr;
  platform::ui::LinkPicture *IMGok = nullptr, *IMGtyuui = nullptr;
  QLineEdit* Edit1 = nullptr;
  QTimer* Timer2 = nullptr;
  PanelButton* PNLsyuuryou = nullptr;
  // Files
  QGroupBox* GRBfile = nullptr;
  std::array<QRadioButton*, 10> RDBfile{};
  std::array<QRadioButton*, 10> RDBrei{};
  QLabel *LBLfile = nullptr, *Label10 = nullptr, *LBLbangou = nullptr, *LBLnaiyou = nullptr;
  QLineEdit* EDTfile = nullptr;
  PanelButton *PNLyomikomi = nullptr, *PNLhozon = nullptr, *PNLread = nullptr, *PNLsave = nullptr,
              *PNLinsatu = nullptr;

 public Q_SLOTS:
  // Modes
  void RDBsyokyuuClick();
  void RDBtyuukyuuClick();
  void RDBjoukyuuClick();
  void RDBlcdClick();
  void RDBsoundClick();
  // Variants
  void RDBhitosiiClick();
  void RDBdainariClick();
  void RDBsyounariClick();
  void RDBiClick();
  void RDBjClick();
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioButton3Click();
  void RadioButton4Click();
  void RDBmsClick();
  void RDBwt1Click();
  void RDBwt2Click();
  void CMBsubChange();
  void Edit3Change();
  void SCBjikanChange();
  void Label16Click();
  // List and editing
  void LSTproClick();
  void LSTproDBLClick();
  void PNLtuikaClick();
  void PNLsounyuuClick();
  void PNLteiseiClick();
  void PNLsakujoClick();
  void PNLzensakujoClick();
  void RDBjisageClick(int level);
  void SCRjisageChange();
  void PNLcopyClick();
  void PNLpasteClick();
  void ScrollBar3Change();
  // Board panel
  void Timer2Timer();
  void bbtClick(int bit);
  void Label7Click();
  void Label8Click();
  void IMGbClick(int bit);
  void IMGinbClick(int bit);
  void IMGokClick();
  void PNLsyuuryouClick();
  // Files
  void RDBfileClick(int n);
  void RDBreiClick(int n);
  void PNLyomikomiClick();
  void PNLhozonClick();
  void PNLreadClick();
  void PNLsaveClick();
  void PNLinsatuClick();
  // The run and the BASIC generation hang here.
  void PNLjikkouClick();
  void PNLstopClick();
  void PNLtyuudanClick();
  void PNLbascomClick();
  void BTsetteiClick();
  void CBcrystalClick();

 protected:
  void leaveRequested() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void buildInstructionPanels();
  void buildEditor();
  void buildRunPanels();
  void buildBoardPanel();
  void buildFilePanel();
  void buildBasicParts();
  PanelButton* instructionPanel(QWidget* parent, const char* name, int left, int top, int width,
                                quint32 colour);
  void applyMode(workbench::Mode mode);
  void showTexts();
  void indent();
  void showDirection(int bit, bool output);
  void slotSelection();
  // Replaces the list by a file's lines and splits off the comment; false
  // when it held no line.
  void loadLines(const QStringList& lines);
  bool takeComment(const QString& emptyMessage);
  bool saveTo(const QString& path);

  std::map<QString, PanelButton*> panels_;
  void buildRun();
  void lockChildren(QWidget* parent);
  std::unique_ptr<platform::DeadlineWait> runWait_;
  std::unique_ptr<workbench::RunView> runView_;
  std::unique_ptr<workbench::Interpreter> interp_;
  std::unique_ptr<QObject> runInputGuard_;
  QList<QPointer<QWidget>> runLocked_;
  int listModeBeforeRun_ = 0;
};

}  // namespace pelmora
