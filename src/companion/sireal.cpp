#include "companion/sireal.h"

#include "platform/colors.h"
#include "platform/textfile.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

namespace bremilo {

using platform::bgr;
using platform::ui::PanelButton;

GraphImage::GraphImage(QWidget* parent) : QWidget(parent), image_(grid()) {
  setFixedSize(GraphScale::kWidth, GraphScale::kHeight);
}

QImage GraphImage::grid() {
  QImage img(GraphScale::kWidth, GraphScale::kHeight, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(QPen(QColor(210, 210, 210), 1));
  // One vertical line every two values; lines at the top, middle and bottom
  // labels and halfway between them.
  for (int x = 0; x < GraphScale::kWidth; x += 20) p.drawLine(x, 0, x, GraphScale::kHeight - 1);
  for (int y = 0; y < GraphScale::kHeight; y += 50) p.drawLine(0, y, GraphScale::kWidth - 1, y);
  p.setPen(QPen(QColor(120, 120, 120), 1));
  p.drawLine(0, GraphScale::kMiddle, GraphScale::kWidth - 1, GraphScale::kMiddle);
  p.drawRect(0, 0, GraphScale::kWidth - 1, GraphScale::kHeight - 1);
  return img;
}

void GraphImage::clear() {
  image_ = grid();
  update();
}

void GraphImage::draw(const QList<QLine>& segments) {
  image_ = grid();
  QPainter p(&image_);
  p.setPen(QPen(bgr(0x8000), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLines(segments);
  update();
}

void GraphImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

namespace {

QScrollBar* scrollBar(QWidget* parent, Qt::Orientation o, int min, int max, int pos, int single, int page,
                      const QRect& geometry, const QString& name) {
  auto* bar = new QScrollBar(o, parent);
  bar->setRange(min, max);
  bar->setSingleStep(single);
  bar->setPageStep(page);
  bar->setValue(pos);
  bar->setGeometry(geometry);
  bar->setAccessibleName(name);
  return bar;
}

QLabel* rightLabel(QWidget* parent, const QString& text, int right, int top) {
  QLabel* l = platform::ui::label(parent, text, right - 40, top, 14);
  l->setFixedWidth(40);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

}  // namespace

TForm7::TForm7(CompanionHost& host)
    : CompanionWindow(host, 13, QStringLiteral("ブレミロさん：リアルタイム測定（シリアル転送）／保存"), 880, 600),
      link_(host.context().board),
      measurement_(link_, host.context().clock),
      wallClock_([] { return QDateTime::currentDateTime(); }),
      log_([this] { return wallClock_(); }) {
  platform::ui::setBackground(this, 0xF8FFF0);
  buildControls();
  // FormCreate: the buffer starts empty in its own constructor; then the tables.
  buildTables();
}

TForm7::~TForm7() { log_.stop(); }

void TForm7::buildControls() {
  Label6 = platform::ui::label(this, platform::kLinkCaution, 72, 20, 14);
  Label6->setFixedWidth(300);
  IMGok = new platform::ui::LinkPicture(platform::ui::LinkPicture::Kind::Ok, this, 16, 8);
  IMGtyuui = new platform::ui::LinkPicture(platform::ui::LinkPicture::Kind::Caution, this, 16, 8);
  IMGok->hide();
  Edit1 = new QLineEdit(this);
  Edit1->hide();

  GroupBox1 = new QGroupBox(QStringLiteral("ただ今の温度測定値は"), this);
  GroupBox1->setGeometry(16, 60, 280, 110);
  Label8 = new QLabel(GroupBox1);
  Label8->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 64, true));
  QPalette blue = Label8->palette();
  blue.setColor(QPalette::WindowText, bgr(platform::clBlue));
  Label8->setPalette(blue);
  Label8->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label8->setGeometry(16, 22, 190, 80);
  Label14 = platform::ui::label(GroupBox1, QStringLiteral("℃"), 216, 56, 28);

  // Thresholds: b0 while the value is at most the low one, b1 above it; b2
  // and b3 the same for the high one.
  auto* thresholds = new QGroupBox(QStringLiteral("しきい値"), this);
  thresholds->setGeometry(16, 180, 280, 130);
  platform::ui::label(thresholds, QStringLiteral("b0出力"), 12, 26);
  platform::ui::label(thresholds, QStringLiteral("b1出力"), 224, 26);
  ScrollBar4 = scrollBar(thresholds, Qt::Horizontal, 0, 100, 30, 1, 5, QRect(12, 46, 220, 18), QStringLiteral("しきい値（低）"));
  lbl01 = platform::ui::label(thresholds, QStringLiteral("30"), 240, 46, 14);
  platform::ui::label(thresholds, QStringLiteral("b2出力"), 12, 74);
  platform::ui::label(thresholds, QStringLiteral("b3出力"), 224, 74);
  ScrollBar5 = scrollBar(thresholds, Qt::Horizontal, 0, 100, 60, 1, 5, QRect(12, 94, 220, 18), QStringLiteral("しきい値（高）"));
  lbl23 = platform::ui::label(thresholds, QStringLiteral("60"), 240, 94, 14);
  connect(ScrollBar4, &QScrollBar::valueChanged, this, &TForm7::ScrollBar4Change);
  connect(ScrollBar5, &QScrollBar::valueChanged, this, &TForm7::ScrollBar5Change);

  // The graph with its scale.
  Image1 = new GraphImage(this);
  Image1->move(352, 40);
  LBLue = rightLabel(this, QStringLiteral("30"), 346, 32);
  LBLnaka = rightLabel(this, QStringLiteral("20"), 346, 132);
  LBLsita = rightLabel(this, QStringLiteral("10"), 346, 232);
  ScrollBar2 = scrollBar(this, Qt::Vertical, 0, 110, 80, 5, 10, QRect(840, 40, 17, 201), QStringLiteral("目盛の位置"));
  ScrollBar3 = scrollBar(this, Qt::Vertical, 0, 9, 8, 1, 1, QRect(860, 40, 17, 201), QStringLiteral("目盛間隔"));
  Label11 = platform::ui::label(this, QStringLiteral("目盛間隔2"), 800, 246);
  Label12 = platform::ui::label(this, QStringLiteral("80"), 800, 262);
  Label12->hide();
  Label10 = platform::ui::label(this, QStringLiteral("目盛間隔（1000m秒）　測定間隔（500m秒）"), 352, 246);
  ScrollBar1 = scrollBar(this, Qt::Horizontal, 100, 10000, 500, 100, 500, QRect(352, 266, 481, 18), QStringLiteral("測定間隔"));
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm7::ScrollBar1Change);
  connect(ScrollBar2, &QScrollBar::valueChanged, this, &TForm7::ScrollBar2Change);
  connect(ScrollBar3, &QScrollBar::valueChanged, this, &TForm7::ScrollBar3Change);

  // Panels. 測定 終了 lies under 測定 開始 and 連続保存 終了 under its start.
  PNLsokuteiowari = new PanelButton(this, QStringLiteral("測定　終了"), 352, 304, 160, 49, 0x8080FF);
  PNLsokuteikaisi = new PanelButton(this, QStringLiteral("測定　開始"), 352, 304, 160, 49, 0xBBFFBB);
  PNLsyokika = new PanelButton(this, QStringLiteral("データの初期化"), 528, 304, 140, 49, 0xE0E0E0);
  PNLhozon = new PanelButton(this, QStringLiteral("測定データ保存(data3.csv)"), 352, 368, 220, 41, 0xFFE0C0);
  PNLrennzokuowari = new PanelButton(this, QStringLiteral("連続保存　終了"), 588, 368, 245, 41, 0x8080FF);
  PNLrenzoku = new PanelButton(this, QStringLiteral("連続保存(data4.csv)　開始"), 588, 368, 245, 41, 0xFFE0C0);
  PNLsyuuryou = new PanelButton(this, QStringLiteral("終了"), 736, 532, 121, 49, 0x8080FF);
  connect(PNLsokuteikaisi, &PanelButton::clicked, this, &TForm7::PNLsokuteikaisiClick);
  connect(PNLsokuteiowari, &PanelButton::clicked, this, &TForm7::PNLsokuteiowariClick);
  connect(PNLsyokika, &PanelButton::clicked, this, &TForm7::PNLsyokikaClick);
  connect(PNLhozon, &PanelButton::clicked, this, &TForm7::PNLhozonClick);
  connect(PNLrenzoku, &PanelButton::clicked, this, &TForm7::PNLrenzokuClick);
  connect(PNLrennzokuowari, &PanelButton::clicked, this, &TForm7::PNLrennzokuowariClick);
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm7::PNLsyuuryouClick);

  Timer1 = std::make_unique<StepTimer>(ctx().clock, 1000, [this] { Timer1Timer(); });
  Timer2 = new QTimer(this);
  Timer2->setInterval(1000);
  connect(Timer2, &QTimer::timeout, this, &TForm7::Timer2Timer);
}

QTableWidget* TForm7::makeGrid(const QString& valueTitle, int left, int top) {
  auto* grid = new QTableWidget(CorrectionTable::kRows, 2, this);
  grid->setGeometry(left, top, 120, 220);
  grid->setHorizontalHeaderLabels({QStringLiteral("値"), valueTitle});
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->horizontalHeader()->setFixedHeight(20);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // Row labels up to 99 fill the narrow first column: clipped, never elided.
  grid->setColumnWidth(0, 18);
  grid->setTextElideMode(Qt::ElideNone);
  grid->setColumnWidth(1, 60);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 12));
  grid->setAccessibleName(valueTitle);
  for (int row = 0; row < CorrectionTable::kRows; ++row) {
    auto* label = new QTableWidgetItem(QString::number(row));
    label->setBackground(bgr(platform::clBtnFace));
    label->setFlags(Qt::ItemIsEnabled);
    label->setTextAlignment(Qt::AlignCenter);
    grid->setItem(row, 0, label);
    grid->setItem(row, 1, new QTableWidgetItem);
  }
  return grid;
}

void TForm7::buildTables() {
  RadioButton1 = new QRadioButton(QStringLiteral("温度計"), this);
  RadioButton1->setGeometry(16, 324, 80, 22);
  RadioButton2 = new QRadioButton(QStringLiteral("照度計"), this);
  RadioButton2->setGeometry(100, 324, 80, 22);
  RadioButton1->setChecked(true);
  grd2 = makeGrid(QStringLiteral("補正値"), 16, 352);
  GRD = makeGrid(QStringLiteral("lx概算値"), 16, 352);
  GRD->hide();
  PNLue = new PanelButton(this, QStringLiteral("↑"), 144, 352, 33, 33, 0xE0E0E0);
  PNLsita = new PanelButton(this, QStringLiteral("↓"), 144, 392, 33, 33, 0xE0E0E0);
  connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton1Click(); });
  connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton2Click(); });
  connect(PNLue, &PanelButton::clicked, this, &TForm7::PNLueClick);
  connect(PNLsita, &PanelButton::clicked, this, &TForm7::PNLsitaClick);

  loadTable(kTemperatureTableName, ondo_, grd2);
  loadTable(kIlluminanceTableName, syoudo_, GRD);
  // First rows shown: value 10 in the temperature table, 55 in the other.
  grd2->scrollToItem(grd2->item(10, 0), QAbstractItemView::PositionAtTop);
  GRD->scrollToItem(GRD->item(55, 0), QAbstractItemView::PositionAtTop);
}

void TForm7::loadTable(const QString& name, CorrectionTable& table, QTableWidget* grid) {
  const auto lines = platform::textfile::readRawLines(ctx().path(name));
  if (lines) table.load(*lines);
  else ctx().prompts.message(name + QStringLiteral("が有りません！"));
  showTable(table, grid);
}

void TForm7::showTable(const CorrectionTable& table, QTableWidget* grid) {
  for (int row = 1; row <= CorrectionTable::kRows; ++row) grid->item(row - 1, 1)->setText(table.text(row));
}

bool TForm7::saveTable(const QString& name, const CorrectionTable& table) {
  const auto result = platform::textfile::writeRawLines(ctx().path(name), table.lines());
  if (!result) ctx().prompts.message(result.error);
  return result.ok;
}

void TForm7::startLinkTimer() { Timer2->start(); }

bool TForm7::measuring() const { return Timer1->isActive(); }

GraphScale TForm7::scale() const {
  return GraphScale{ScrollBar2->value(), GraphScale::stepFromPosition(ScrollBar3->value())};
}

void TForm7::Timer2Timer() {
  const int r = link_.detect();
  Edit1->setText(QString::number(r));
  Label6->setText(link_.statusText());
  IMGok->setVisible(link_.connected());
  IMGtyuui->setVisible(!link_.connected());
}

void TForm7::Timer1Timer() {
  Label8->setText(QString::number(measurement_.receivedValue()));
  repaint();
  const auto r = measurement_.step(ScrollBar4->value(), ScrollBar5->value(), [this] { return !measuring(); });
  if (r.outcome == SerialFrameWait::Outcome::TimedOut) {
    Label6->setText(noSignalText());
  } else if (r.outcome == SerialFrameWait::Outcome::Value) {
    if (Label6->text() == noSignalText()) Label6->setText(link_.statusText());
    Label8->setText(QString::number(r.value));
    byouga();
    if (log_.isOn()) appendToLog(r.value, r.tick);
    pauseAfterValue();
  }
}

void TForm7::pauseAfterValue() {
  // The bar is read once: moving it changes the next pause, not this one.
  platform::DeadlineWait wait(ctx().clock);
  const quint32 deadline = wait.Timeout_Set(static_cast<quint32>(ScrollBar1->value()));
  for (;;) {
    const qint32 left = static_cast<qint32>(deadline - wait.clock().tickCount());
    if (left <= 0 || !measuring()) break;
    wait.clock().pumpFor(left);
  }
  repaint();
}

void TForm7::byouga() {
  const GraphScale s = scale();
  Label12->setText(QString::number(s.offset));
  Label11->setText(scaleStepText(s.step));
  Image1->draw(graphSegments(measurement_.buffer(), s));
}

void TForm7::PNLsokuteikaisiClick() {
  PNLhozon->hide();
  PNLsokuteikaisi->hide();
  PNLsyokika->hide();
  PNLsyuuryou->hide();
  Timer2->stop();
  Timer1->start();
}

void TForm7::PNLsokuteiowariClick() {
  PNLhozon->show();
  PNLsokuteikaisi->show();
  PNLsyokika->show();
  PNLsyuuryou->show();
  Timer2->start();
  Timer1->stop();
}

void TForm7::PNLsyokikaClick() {
  if (!ctx().prompts.askYesNo(QStringLiteral("データを初期化しますか？"))) return;
  Image1->clear();
  measurement_.buffer().clear();
  Label8->setText(QString());
}

void TForm7::PNLsyuuryouClick() {
  saveTable(kTemperatureTableName, ondo_);
  saveTable(kIlluminanceTableName, syoudo_);
  link_.exit();
  Timer2->stop();
  leaveToMenu();
}

void TForm7::leaveRequested() {
  // While measuring the leave panel is hidden; so is this way out.
  if (!measuring()) PNLsyuuryouClick();
}

void TForm7::ScrollBar1Change() { Label10->setText(timeScaleText(ScrollBar1->value())); }

void TForm7::ScrollBar2Change() {
  const GraphScale s = scale();
  Label11->setText(scaleStepText(s.step));
  LBLnaka->setText(QString::number(s.middleValue()));
  LBLsita->setText(QString::number(s.bottomValue()));
  LBLue->setText(QString::number(s.topValue()));
}

void TForm7::ScrollBar3Change() { ScrollBar2Change(); }
void TForm7::ScrollBar4Change() { lbl01->setText(QString::number(ScrollBar4->value())); }
void TForm7::ScrollBar5Change() { lbl23->setText(QString::number(ScrollBar5->value())); }

void TForm7::PNLhozonClick() {
  const QStringList lines = snapshotLines(measurement_.buffer(), wallClock_());
  const auto result = platform::textfile::writeLines(ctx().path(kSnapshotName), lines);
  if (!result) {
    ctx().prompts.message(result.error);
    return;
  }
  ctx().prompts.message(kSnapshotName + QStringLiteral("に保存しました！"));
}

void TForm7::PNLrenzokuClick() {
  QString error;
  if (!log_.start(ctx().path(kContinuousName), &error)) {
    ctx().prompts.message(error);
    return;
  }
  PNLrenzoku->hide();
}

void TForm7::appendToLog(int value, quint32 tick) {
  QString error;
  if (log_.append(value, tick, &error)) return;
  // The log is closed now; one message, and the start panel comes back.
  PNLrenzoku->show();
  ctx().prompts.message(error);
}

void TForm7::PNLrennzokuowariClick() {
  log_.stop();
  PNLrenzoku->show();
}

void TForm7::RadioButton1Click() {
  GroupBox1->setTitle(QStringLiteral("ただ今の温度計測値は"));
  Label14->setText(QStringLiteral("℃"));
  grd2->show();
  GRD->hide();
  ScrollBar2->setValue(80);
}

void TForm7::RadioButton2Click() {
  GroupBox1->setTitle(QStringLiteral("ただ今の照度計測値は"));
  Label14->setText(QString());
  GRD->show();
  grd2->hide();
  ScrollBar2->setValue(30);
}

void TForm7::PNLueClick() {
  if (GRD->isVisibleTo(this)) {
    syoudo_.shiftUp();
    showTable(syoudo_, GRD);
  }
  if (grd2->isVisibleTo(this)) {
    ondo_.shiftUp();
    showTable(ondo_, grd2);
  }
}

void TForm7::PNLsitaClick() {
  if (GRD->isVisibleTo(this)) {
    syoudo_.shiftDown();
    showTable(syoudo_, GRD);
  }
  if (grd2->isVisibleTo(this)) {
    ondo_.shiftDown();
    showTable(ondo_, grd2);
  }
}

}  // namespace bremilo
