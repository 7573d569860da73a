#pragma once
// Real-time measurement over the board: link status, the measuring step with
// its four threshold outputs, the graph, the CSV saves and the two
// correction tables.

#include "companion/companion_host.h"
#include "companion/correction_table.h"
#include "companion/measurement_csv.h"
#include "companion/realtime.h"

#include <QImage>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QTimer;

namespace bremilo {

// Image1: the graph as last drawn. Image2, the empty grid, is copied into it
// before every drawing.
class GraphImage : public QWidget {
  Q_OBJECT
 public:
  explicit GraphImage(QWidget* parent);
  static QImage grid();
  void clear();
  void draw(const QList<QLine>& segments);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QImage image_;
};

class TForm7 : public CompanionWindow {
  Q_OBJECT
 public:
  // Runs FormCreate: an empty sample buffer, then both correction tables.
  explicit TForm7(CompanionHost& host);
  ~TForm7() override;

  void startLinkTimer() override;

  void Timer2Timer();
  void Timer1Timer();
  void PNLsokuteikaisiClick();
  void PNLsokuteiowariClick();
  void PNLsyokikaClick();
  void PNLsyuuryouClick();
  void ScrollBar1Change();
  void ScrollBar2Change();
  void ScrollBar3Change();
  void ScrollBar4Change();
  void ScrollBar5Change();
  void PNLhozonClick();
  void PNLrenzokuClick();
  void PNLrennzokuowariClick();
  void RadioButton1Click();
  void RadioButton2Click();
  void PNLueClick();
  void PNLsitaClick();
  void byouga();

  // The scale the scroll bars set.
  GraphScale scale() const;
  bool measuring() const;
  RealTimeMeasurement& measurement() { return measurement_; }
  const CorrectionTable& temperatureTable() const { return ondo_; }
  const CorrectionTable& illuminanceTable() const { return syoudo_; }
  const ContinuousLog& continuousLog() const { return log_; }
  // The first line of each CSV file takes its date and time from here.
  void setWallClock(WallClock clock) { wallClock_ = std::move(clock); }

  // Shown in the link label while no frame arrives during measuring.
  static QString noSignalText() { return QStringLiteral("測定ボードからデータが届きません！"); }

  QLabel* Label6 = nullptr;
  platform::ui::LinkPicture* IMGok = nullptr;
  platform::ui::LinkPicture* IMGtyuui = nullptr;
  QLineEdit* Edit1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label14 = nullptr;
  platform::ui::PanelButton* PNLsokuteikaisi = nullptr;
  platform::ui::PanelButton* PNLsokuteiowari = nullptr;
  platform::ui::PanelButton* PNLsyokika = nullptr;
  platform::ui::PanelButton* PNLsyuuryou = nullptr;
  platform::ui::PanelButton* PNLhozon = nullptr;
  platform::ui::PanelButton* PNLrenzoku = nullptr;
  platform::ui::PanelButton* PNLrennzokuowari = nullptr;
  QScrollBar* ScrollBar1 = nullptr;
  QScrollBar* ScrollBar2 = nullptr;
  QScrollBar* ScrollBar3 = nullptr;
  QScrollBar* ScrollBar4 = nullptr;
  QScrollBar* ScrollBar5 = nullptr;
  QLabel* lbl01 = nullptr;
  QLabel* lbl23 = nullptr;
  GraphImage* Image1 = nullptr;
  QLabel* LBLue = nullptr;
  QLabel* LBLnaka = nullptr;
  QLabel* LBLsita = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label12 = nullptr;
  QTableWidget* grd2 = nullptr;
  QTableWidget* GRD = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  platform::ui::PanelButton* PNLue = nullptr;
  platform::ui::PanelButton* PNLsita = nullptr;
  std::unique_ptr<StepTimer> Timer1;
  QTimer* Timer2 = nullptr;

 protected:
  void leaveRequested() override;

 private:
  void buildControls();
  void buildTables();
  QTableWidget* makeGrid(const QString& valueTitle, int left, int top);
  void loadTable(const QString& name, CorrectionTable& table, QTableWidget* grid);
  void showTable(const CorrectionTable& table, QTableWidget* grid);
  bool saveTable(const QString& name, const CorrectionTable& table);
  void appendToLog(int value, quint32 tick);
  // The pause after a value; window events are handled, 測定 終了 ends it.
  void pauseAfterValue();

  platform::BoardLink link_;
  RealTimeMeasurement measurement_;
  CorrectionTable ondo_;
  CorrectionTable syoudo_;
  WallClock wallClock_;
  ContinuousLog log_;
};

}  // namespace bremilo
