#include "control/workbench/sound_panel.h"

#include "control/workbench/sound_table.h"
#include "platform/ui/widgets.h"

#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>

namespace pelmora::workbench {

namespace {

QScrollBar* bar(QWidget* parent, int left, int top, int width, int min, int max, int position) {
  auto* b = new QScrollBar(Qt::Horizontal, parent);
  b->setGeometry(left, top, width, 17);
  b->setRange(min, max);
  b->setValue(position);
  return b;
}

QRadioButton* pin(QWidget* parent, const QString& caption, int left, int top) {
  auto* r = new QRadioButton(caption, parent);
  r->setGeometry(left, top, 72, 20);
  return r;
}

}  // namespace

SoundPanel::SoundPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PNLsoundmenu"));
  setFont(platform::ui::font());
  resize(440, 200);

  PNLsound = new platform::ui::PanelButton(this, QStringLiteral("Sound portB.0,335,319"), 8, 8, 260, 30, 0xFFE0E0);
  for (int b = 0; b < 8; ++b) RDBb[static_cast<size_t>(b)] = pin(this, QStringLiteral("portB.%1").arg(b), 8 + (b % 4) * 72, 44 + (b / 4) * 20);
  RDBd0 = pin(this, QStringLiteral("portD.0"), 8, 84);
  RDBd1 = pin(this, QStringLiteral("portD.1"), 80, 84);
  RDBd6 = pin(this, QStringLiteral("portD.6"), 152, 84);
  RDBb[0]->setChecked(true);

  SBs1 = bar(this, 8, 112, 240, 10, 1000, 335);
  LBLs1 = platform::ui::label(this, QStringLiteral("335"), 256, 114);
  sbs2 = bar(this, 8, 136, 240, 10, 1000, 319);
  LBLs2 = platform::ui::label(this, QStringLiteral("319"), 256, 138);

  platform::ui::label(this, QStringLiteral("nagasa(64-2)="), 304, 44);
  nagasa = platform::ui::label(this, QStringLiteral("16"), 392, 44);
  Label20 = platform::ui::label(this, QStringLiteral("４分音符"), 304, 62);
  ScrollBar1 = bar(this, 304, 82, 128, 1, 11, 7);
  tempo = platform::ui::label(this, QStringLiteral("120"), 304, 112);
  ScrollBar2 = bar(this, 304, 130, 128, 1, 10, 6);

  StringGrid1 = new QTableWidget(4, 21, this);
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->horizontalHeader()->setMinimumSectionSize(0);
  StringGrid1->verticalHeader()->setMinimumSectionSize(0);
  StringGrid1->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 10));
  // "ファ" has to fit a column 18 pixels wide.
  StringGrid1->setTextElideMode(Qt::ElideNone);
  StringGrid1->setWordWrap(false);
  StringGrid1->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px; }"));
  StringGrid1->setColumnWidth(0, 0);
  int width = 0;
  for (int c = 1; c <= 20; ++c) {
    const Note& note = noteColumns()[static_cast<size_t>(c - 1)];
    const QString name = QString::fromUtf16(note.name);
    StringGrid1->setItem(0, c, new QTableWidgetItem(name));
    StringGrid1->item(0, c)->setTextAlignment(Qt::AlignCenter);
    StringGrid1->setItem(1, c, new QTableWidgetItem(QString::fromLatin1(note.frequency)));
    StringGrid1->setItem(2, c, new QTableWidgetItem);
    StringGrid1->setItem(3, c, new QTableWidgetItem);
    StringGrid1->setColumnWidth(c, name.isEmpty() ? 8 : 18);
    width += name.isEmpty() ? 8 : 18;
  }
  StringGrid1->setRowHeight(0, 20);
  for (int r = 1; r <= 3; ++r) StringGrid1->setRowHeight(r, 0);
  StringGrid1->setGeometry(8, 164, width + 2 * StringGrid1->frameWidth(), 20 + 2 * StringGrid1->frameWidth());
  computeTable();

  connect(PNLsound, &platform::ui::PanelButton::clicked, this, &SoundPanel::PNLsoundClick);
  for (QRadioButton* r : {RDBb[0], RDBb[1], RDBb[2], RDBb[3], RDBb[4], RDBb[5], RDBb[6], RDBb[7], RDBd0, RDBd1, RDBd6})
    connect(r, &QRadioButton::toggled, this, [this, r](bool on) { if (on) pinClick(r); });
  connect(SBs1, &QScrollBar::valueChanged, this, &SoundPanel::SBs1Change);
  connect(sbs2, &QScrollBar::valueChanged, this, &SoundPanel::sbs2Change);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &SoundPanel::ScrollBar1Change);
  connect(ScrollBar2, &QScrollBar::valueChanged, this, &SoundPanel::ScrollBar2Change);
  connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int, int column) { StringGrid1Click(column); });
}

void SoundPanel::recompose() { PNLsound->setCaption(recomposeSound(PNLsound->caption(), LBLs1->text(), LBLs2->text())); }

void SoundPanel::PNLsoundClick() { Q_EMIT instructionChosen(PNLsound->caption()); }

void SoundPanel::pinClick(QRadioButton* pin) {
  PNLsound->setCaption(QStringLiteral("Sound ") + pin->text() + QLatin1Char(',') + LBLs1->text() + QLatin1Char(',') +
                       LBLs2->text());
}

void SoundPanel::SBs1Change() {
  LBLs1->setText(QString::number(SBs1->value()));
  LBLs1->adjustSize();
  recompose();
}

void SoundPanel::sbs2Change() {
  LBLs2->setText(QString::number(sbs2->value()));
  LBLs2->adjustSize();
  recompose();
}

void SoundPanel::ScrollBar1Change() {
  const NoteLength& l = noteLengths()[static_cast<size_t>(qBound(1, ScrollBar1->value(), 11) - 1)];
  nagasa->setText(QString::fromLatin1(l.nagasa));
  Label20->setText(QString::fromUtf16(l.name));
  nagasa->adjustSize();
  Label20->adjustSize();
  computeTable();
}

void SoundPanel::ScrollBar2Change() {
  tempo->setText(QString::fromLatin1(tempos()[static_cast<size_t>(qBound(1, ScrollBar2->value(), 10) - 1)]));
  tempo->adjustSize();
  computeTable();
}

void SoundPanel::computeTable() {
  const int n = nagasa->text().toInt();
  const int t = tempo->text().toInt();
  for (int c = 1; c <= 20; ++c) {
    const double f = StringGrid1->item(1, c)->text().toDouble();
    StringGrid1->item(2, c)->setText(QString::number(soundCount(f, n, t)));
    StringGrid1->item(3, c)->setText(QString::number(soundPeriod(f)));
  }
}

void SoundPanel::StringGrid1Click(int column) {
  if (column < 1 || column > 20) return;
  // The bars keep their positions inside their ranges.
  SBs1->setValue(StringGrid1->item(2, column)->text().toInt());
  sbs2->setValue(StringGrid1->item(3, column)->text().toInt());
}

void SoundPanel::CBcrystalClick(bool crystal12MHz) {
  const SoundBars d = soundDefaults(crystal12MHz);
  LBLs1->setText(QString::number(d.count));
  LBLs2->setText(QString::number(d.period));
  SBs1->setRange(d.countMin, d.countMax);
  SBs1->setValue(d.count);
  sbs2->setRange(d.periodMin, d.periodMax);
  sbs2->setValue(d.period);
  LBLs1->adjustSize();
  LBLs2->adjustSize();
  recompose();
}

}  // namespace pelmora::workbench
