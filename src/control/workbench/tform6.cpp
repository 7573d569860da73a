#include "control/workbench/tform6.h"

#include "control/workbench/interpreter.h"
#include "control/workbench/program_file.h"
#include "control/workbench/program_print.h"
#include "control/workbench/tform6_parts.h"
#include "platform/colors.h"
#include "platform/textfile.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

namespace pelmora {

using platform::bgr;
using platform::ui::PanelButton;
using workbench::ClickLabel;
using workbench::DirectionPicture;

namespace {

constexpr int kPanelHeight = 26;

QRadioButton* radio(QWidget* parent, const QString& text, int left, int top, int width, bool checked = false) {
  auto* r = new QRadioButton(text, parent);
  r->setGeometry(left, top, width, 20);
  r->setChecked(checked);
  return r;
}

QFrame* group(QWidget* parent, int left, int top, int width, int height, quint32 colour) {
  auto* f = new QFrame(parent);
  f->setGeometry(left, top, width, height);
  f->setFrameShape(QFrame::Panel);
  f->setFrameShadow(QFrame::Raised);
  platform::ui::setBackground(f, colour);
  return f;
}

QLabel* boxLabel(QWidget* parent, const QString& text, int left, int top, int width, int height,
                 quint32 background = 0) {
  auto* l = new QLabel(text, parent);
  l->setGeometry(left, top, width, height);
  if (background) {
    platform::ui::setBackground(l, background);
  }
  return l;
}

// Connects a radio button so that its handler runs when it becomes checked,
// whether by the pupil or from code.
template <typename F>
void onChecked(QRadioButton* r, QObject* context, F handler) {
  QObject::connect(r, &QRadioButton::toggled, context, [handler](bool on) {
    if (on) handler();
  });
}

class DefaultPrinter : public QPrinter {
 public:
  DefaultPrinter() : QPrinter(QPrinter::HighResolution) {
    // The listing's places are given for a 300 dpi page.
    setResolution(300);
    setDocName(QStringLiteral("ペルモラ プログラムリスト"));
  }
};

}  // namespace

TForm6::TForm6(ToolHost& host)
    : ToolWindow(host, 11, QStringLiteral("簡易プログラミング"), 1180, 700, 0xFFF4EC), link(host.context().board) {
  workbench::installAccessibility();
  printerFactory = [] { return std::unique_ptr<QPagedPaintDevice>(new DefaultPrinter); };
  buildInstructionPanels();
  buildEditor();
  buildRunPanels();
  buildBoardPanel();
  buildFilePanel();
  buildBasicParts();
  buildRun();
  FormCreate();
}

TForm6::~TForm6() = default;

// --- Building -----------------------------------------------------------------

PanelButton* TForm6::instructionPanel(QWidget* parent, const char* name, int left, int top, int width,
                                      quint32 colour) {
  const QString key = QString::fromLatin1(name);
  auto* p = new PanelButton(parent, texts.caption(key), left, top, width, kPanelHeight, colour);
  p->setObjectName(key);
  p->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 13));
  panels_[key] = p;
  connect(p, &PanelButton::clicked, this, [this, p, key] {
    const QString indentBlanks =
        key == QLatin1String("PNLdisplayoff") ? QString(3 * jisage_level, QLatin1Char(' ')) : QString();
    EDTpro->setText(indentBlanks + p->caption());
  });
  return p;
}

void TForm6::buildInstructionPanels() {
  GRBmode = new QGroupBox(QStringLiteral("モード"), this);
  GRBmode->setGeometry(8, 2, 452, 48);
  RDBsyokyuu = radio(GRBmode, QStringLiteral("初級モード"), 10, 20, 86, true);
  RDBtyuukyuu = radio(GRBmode, QStringLiteral("中級モード"), 98, 20, 86);
  RDBjoukyuu = radio(GRBmode, QStringLiteral("上級モード"), 186, 20, 86);
  RDBlcd = radio(GRBmode, QStringLiteral("LCDモード"), 274, 20, 86);
  RDBsound = radio(GRBmode, QStringLiteral("Soundモード"), 356, 20, 92);
  onChecked(RDBsyokyuu, this, [this] { RDBsyokyuuClick(); });
  onChecked(RDBtyuukyuu, this, [this] { RDBtyuukyuuClick(); });
  onChecked(RDBjoukyuu, this, [this] { RDBjoukyuuClick(); });
  onChecked(RDBlcd, this, [this] { RDBlcdClick(); });
  onChecked(RDBsound, this, [this] { RDBsoundClick(); });

  Label16 = new ClickLabel(QStringLiteral("出力時間"), this);
  Label16->setGeometry(470, 6, 214, 16);
  Label16->setToolTip(QStringLiteral("クリックで300m秒に戻す"));
  connect(Label16, &ClickLabel::clicked, this, &TForm6::Label16Click);
  SCBjikan = new QScrollBar(Qt::Horizontal, this);
  SCBjikan->setGeometry(470, 26, 214, 18);
  SCBjikan->setRange(1, 1000);
  SCBjikan->setValue(300);
  SCBjikan->setAccessibleName(QStringLiteral("出力時間"));
  connect(SCBjikan, &QScrollBar::valueChanged, this, &TForm6::SCBjikanChange);

  // Always shown
  const quint32 basic = 0xE8FFE8;
  PNLddrb = instructionPanel(this, "PNLddrb", 8, 56, 108, basic);
  PNLportb = instructionPanel(this, "PNLportb", 120, 56, 108, basic);
  PNLdo = instructionPanel(this, "PNLdo", 8, 86, 108, basic);
  PNLloop = instructionPanel(this, "PNLloop", 120, 86, 108, basic);
  PNLexitdo = instructionPanel(this, "PNLexitdo", 8, 116, 108, basic);
  PNLend = instructionPanel(this, "PNLend", 120, 116, 108, basic);
  PNLportba = instructionPanel(this, "PNLportba", 8, 146, 108, basic);

  PNLjikan = group(this, 8, 180, 220, 66, 0xE0F0FF);
  RDBms = radio(PNLjikan, texts.msCaption(), 6, 6, 90, true);
  RDBwt1 = radio(PNLjikan, QStringLiteral("wt1"), 100, 6, 54);
  RDBwt2 = radio(PNLjikan, QStringLiteral("wt2"), 158, 6, 54);
  onChecked(RDBms, this, [this] { RDBmsClick(); });
  onChecked(RDBwt1, this, [this] { RDBwt1Click(); });
  onChecked(RDBwt2, this, [this] { RDBwt2Click(); });
  PNLwt1 = instructionPanel(PNLjikan, "PNLwt1", 6, 32, 108, 0xFFFFFF);
  PNLwt1->hide();

  PNLsubmenu = group(this, 8, 252, 220, 94, 0xF0E0FF);
  CMBsub = new QComboBox(PNLsubmenu);
  CMBsub->setEditable(true);
  CMBsub->setGeometry(6, 6, 208, 24);
  CMBsub->addItems({"kousoku", "tyuusoku", "teisoku", "mae", "mae-teisoku", "usiro", "usiro-teisoku", "tomaru",
                    "migi_mae", "migi_usiro", "hidari_mae", "hidari_usiro", ""});
  CMBsub->setCurrentIndex(-1);
  CMBsub->setEditText(QString());
  CMBsub->setAccessibleName(QStringLiteral("サブプログラム名"));
  connect(CMBsub, &QComboBox::editTextChanged, this, &TForm6::CMBsubChange);
  PNLsub = instructionPanel(PNLsubmenu, "PNLsub", 6, 34, 100, 0xFFFFFF);
  PNLreturn = instructionPanel(PNLsubmenu, "PNLreturn", 112, 34, 102, 0xFFFFFF);
  PNLgosub = instructionPanel(PNLsubmenu, "PNLgosub", 6, 62, 100, 0xFFFFFF);

  PNLformenu = group(this, 236, 56, 220, 122, 0xFFF0E0);
  RDBi = radio(PNLformenu, QStringLiteral("i"), 6, 6, 40, true);
  RDBj = radio(PNLformenu, QStringLiteral("j"), 52, 6, 40);
  onChecked(RDBi, this, [this] { RDBiClick(); });
  onChecked(RDBj, this, [this] { RDBjClick(); });
  PNLfor = instructionPanel(PNLformenu, "PNLfor", 6, 32, 100, 0xFFFFFF);
  PNLnext = instructionPanel(PNLformenu, "PNLnext", 112, 32, 102, 0xFFFFFF);
  PNLportb2hi = instructionPanel(PNLformenu, "PNLportb2hi", 6, 62, 208, 0xFFFFFF);
  PNLportb2h7i = instructionPanel(PNLformenu, "PNLportb2h7i", 6, 90, 208, 0xFFFFFF);

  PNLif = group(this, 236, 184, 220, 150, 0xE0FFFF);
  RDBhitosii = radio(PNLif, QStringLiteral("="), 6, 6, 40, true);
  RDBdainari = radio(PNLif, QStringLiteral(">"), 52, 6, 40);
  RDBsyounari = radio(PNLif, QStringLiteral("<"), 98, 6, 40);
  onChecked(RDBhitosii, this, [this] { RDBhitosiiClick(); });
  onChecked(RDBdainari, this, [this] { RDBdainariClick(); });
  onChecked(RDBsyounari, this, [this] { RDBsyounariClick(); });
  PNLifpind = instructionPanel(PNLif, "PNLifpind", 6, 32, 208, 0xFFFFFF);
  PNLifpinb = instructionPanel(PNLif, "PNLifpinb", 6, 60, 208, 0xFFFFFF);
  PNLifa = instructionPanel(PNLif, "PNLifa", 6, 88, 208, 0xFFFFFF);
  PNLelse = instructionPanel(PNLif, "PNLelse", 6, 118, 100, 0xFFFFFF);
  PNLendif = instructionPanel(PNLif, "PNLendif", 112, 118, 102, 0xFFFFFF);

  PNLa = group(this, 464, 56, 220, 204, 0xE0E0FF);
  RadioButton1 = radio(PNLa, QStringLiteral("a"), 6, 6, 44, true);
  RadioButton2 = radio(PNLa, QStringLiteral("i"), 56, 6, 44);
  RadioButton3 = radio(PNLa, QStringLiteral("j"), 106, 6, 44);
  RadioButton4 = radio(PNLa, QStringLiteral("k"), 156, 6, 44);
  onChecked(RadioButton1, this, [this] { RadioButton1Click(); });
  onChecked(RadioButton2, this, [this] { RadioButton2Click(); });
  onChecked(RadioButton3, this, [this] { RadioButton3Click(); });
  onChecked(RadioButton4, this, [this] { RadioButton4Click(); });
  const char* aPanels[] = {"PNLa0",     "PNLaap1", "PNLaam1", "PNL255a", "PNLaab2",  "PNLa2ha",
                           "PNLapinb", "PNLaportb", "PNLaas2", "PNLai",   "PNLzarimu"};
  for (int i = 0; i < 11; ++i) instructionPanel(PNLa, aPanels[i], 6 + (i % 2) * 106, 32 + (i / 2) * 28, 102, 0xFFFFFF);
  PNLa0 = panels_["PNLa0"];
  PNLaap1 = panels_["PNLaap1"];
  PNLaam1 = panels_["PNLaam1"];
  PNL255a = panels_["PNL255a"];
  PNLaab2 = panels_["PNLaab2"];
  PNLa2ha = panels_["PNLa2ha"];
  PNLapinb = panels_["PNLapinb"];
  PNLaportb = panels_["PNLaportb"];
  PNLaas2 = panels_["PNLaas2"];
  PNLai = panels_["PNLai"];
  PNLzarimu = panels_["PNLzarimu"];

  PNLlcdmenu = group(this, 8, 420, 676, 272, 0xFFE8F8);
  Label12 = boxLabel(PNLlcdmenu, QStringLiteral("半角文字のみ（全角文字は使えません！）"), 8, 8, 330, 16);
  Edit3 = new QLineEdit(QStringLiteral("Hello"), PNLlcdmenu);
  Edit3->setGeometry(8, 28, 330, 26);
  Edit3->setAccessibleName(QStringLiteral("LCDに表示する文字"));
  connect(Edit3, &QLineEdit::textChanged, this, &TForm6::Edit3Change);
  const char* lcdPanels[] = {"PNLcls",       "PNLlcd",       "PNLlocate",   "PNLwaitms",    "PNLupperline",
                             "PNLlowerline", "PNLchr",       "PNLdisplayon", "PNLdisplayoff", "PNLcursoron",
                             "PNLcursoroff", "PNLshiftlcdr", "PNLshiftlcdl"};
  for (int i = 0; i < 13; ++i)
    instructionPanel(PNLlcdmenu, lcdPanels[i], 8 + (i % 3) * 166, 62 + (i / 3) * 30, 160, 0xFFFFFF);
  PNLdef = instructionPanel(PNLlcdmenu, "PNLdef", 8, 62 + 5 * 30, 326, 0xFFFFFF);
  PNLcls = panels_["PNLcls"];
  PNLlcd = panels_["PNLlcd"];
  PNLlocate = panels_["PNLlocate"];
  PNLwaitms = panels_["PNLwaitms"];
  PNLupperline = panels_["PNLupperline"];
  PNLlowerline = panels_["PNLlowerline"];
  PNLchr = panels_["PNLchr"];
  PNLdisplayon = panels_["PNLdisplayon"];
  PNLdisplayoff = panels_["PNLdisplayoff"];
  PNLcursoron = panels_["PNLcursoron"];
  PNLcursoroff = panels_["PNLcursoroff"];
  PNLshiftlcdr = panels_["PNLshiftlcdr"];
  PNLshiftlcdl = panels_["PNLshiftlcdl"];

  // Lies over the LCD group: Sound mode covers it, LCD mode hides it.
  PNLsoundmenu = group(this, 8, 420, 676, 272, 0xE8FFF8);
  PNLsoundmenu->raise();
}

void TForm6::buildEditor() {
  EDTpro = new QLineEdit(this);
  EDTpro->setGeometry(692, 8, 300, 30);
  EDTpro->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 15));
  EDTpro->setAttribute(Qt::WA_InputMethodEnabled, false);
  EDTpro->setAccessibleName(QStringLiteral("命令"));

  LSTpro = new QListWidget(this);
  LSTpro->setGeometry(692, 44, 300, 288);
  LSTpro->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LSTpro->setAccessibleName(QStringLiteral("プログラム"));
  // A line is chosen when the pupil lets go of the mouse (after a click or a
  // drag) or moves with the keys; lines the program selects do not count.
  LSTpro->installEventFilter(this);
  LSTpro->viewport()->installEventFilter(this);
  connect(LSTpro, &QListWidget::doubleClicked, this, &TForm6::LSTproDBLClick);
  // The hint's run of blanks separates its two sentences: one line each.
  Label13 = boxLabel(this,
                     QStringLiteral("クリックまたはドラッグで命令を選択　　　　　　　　Ｗクリックで上のエディタボックスに命令を転記")
                         .replace(QStringLiteral("　　　　　　　　"), QStringLiteral("\n")),
                     692, 392, 300, 28);
  Label13->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 11));

  const quint32 edit = 0xFFE8D8;
  PNLtuika = new PanelButton(this, QStringLiteral("追加"), 1000, 44, 84, 28, edit);
  PNLsounyuu = new PanelButton(this, QStringLiteral("挿入"), 1000, 76, 84, 28, edit);
  PNLteisei = new PanelButton(this, QStringLiteral("訂正"), 1000, 108, 84, 28, edit);
  PNLsakujo = new PanelButton(this, QStringLiteral("削除"), 1000, 140, 84, 28, edit);
  PNLzensakujo = new PanelButton(this, QStringLiteral("全削除"), 1000, 172, 84, 28, 0xC0C0FF);
  PNLcopy = new PanelButton(this, QStringLiteral("コピー"), 1000, 210, 84, 26, 0xF0F0F0);
  PNLpaste = new PanelButton(this, QStringLiteral("ペースト"), 1000, 240, 84, 26, 0xF0F0F0);
  connect(PNLtuika, &PanelButton::clicked, this, &TForm6::PNLtuikaClick);
  connect(PNLsounyuu, &PanelButton::clicked, this, &TForm6::PNLsounyuuClick);
  connect(PNLteisei, &PanelButton::clicked, this, &TForm6::PNLteiseiClick);
  connect(PNLsakujo, &PanelButton::clicked, this, &TForm6::PNLsakujoClick);
  connect(PNLzensakujo, &PanelButton::clicked, this, &TForm6::PNLzensakujoClick);
  connect(PNLcopy, &PanelButton::clicked, this, &TForm6::PNLcopyClick);
  connect(PNLpaste, &PanelButton::clicked, this, &TForm6::PNLpasteClick);

  GRBjisage = new QGroupBox(QStringLiteral("字下げ"), this);
  GRBjisage->setGeometry(692, 334, 300, 58);
  for (int level = 0; level <= 8; ++level) {
    // Pressed like buttons: each unchecks itself after indenting.
    QRadioButton* r = radio(GRBjisage, QString::number(level), 6 + level * 32, 16, 32);
    r->setAutoExclusive(false);
    RDBjisage[static_cast<size_t>(level)] = r;
    onChecked(r, this, [this, level] { RDBjisageClick(level); });
  }
  SCRjisage = new QScrollBar(Qt::Horizontal, GRBjisage);
  SCRjisage->setGeometry(6, 38, 288, 14);
  SCRjisage->setRange(0, 8);
  SCRjisage->setAccessibleName(QStringLiteral("字下げ"));
  connect(SCRjisage, &QScrollBar::valueChanged, this, &TForm6::SCRjisageChange);

  LBLmojisize = boxLabel(this, QStringLiteral("文字サイズ"), 1000, 276, 84, 16);
  ScrollBar3 = new QScrollBar(Qt::Horizontal, this);
  ScrollBar3->setGeometry(1000, 294, 84, 16);
  ScrollBar3->setRange(8, 16);
  ScrollBar3->setValue(10);
  ScrollBar3->setAccessibleName(QStringLiteral("文字サイズ"));
  connect(ScrollBar3, &QScrollBar::valueChanged, this, &TForm6::ScrollBar3Change);
  ScrollBar3Change();
}

void TForm6::buildRunPanels() {
  PNLjikkou = new PanelButton(this, QStringLiteral("実行"), 1092, 44, 80, 50, 0x80FF80);
  PNLtyuudan = new PanelButton(this, QStringLiteral("中断"), 1092, 44, 80, 50, 0x80FFFF);
  PNLtyuudan->hide();
  PNLstop = new PanelButton(this, QStringLiteral("STOP"), 1092, 100, 80, 40, 0x8080FF);
  for (PanelButton* p : {PNLjikkou, PNLtyuudan, PNLstop}) p->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 16, true));
  connect(PNLjikkou, &PanelButton::clicked, this, &TForm6::PNLjikkouClick);
  connect(PNLtyuudan, &PanelButton::clicked, this, &TForm6::PNLtyuudanClick);
  connect(PNLstop, &PanelButton::clicked, this, &TForm6::PNLstopClick);
  LBLi = boxLabel(this, QStringLiteral("i="), 1092, 146, 80, 16);
  LBLj = boxLabel(this, QStringLiteral("j="), 1092, 164, 80, 16);
  LBLa = boxLabel(this, QStringLiteral("a="), 1092, 182, 80, 16);
  LBLedit4 = boxLabel(this, QStringLiteral("許容最大時間"), 1092, 202, 80, 16);
  Edit4 = new QLineEdit(QStringLiteral("60000"), this);
  Edit4->setGeometry(1092, 220, 80, 24);
  Edit4->setAccessibleName(QStringLiteral("許容最大時間"));

  PNLbascom = new PanelButton(this, QStringLiteral("アップロード"), 1092, 252, 80, 34, 0xFFC0C0);
  connect(PNLbascom, &PanelButton::clicked, this, &TForm6::PNLbascomClick);
  BTsettei = new QPushButton(QStringLiteral("マイコン設定"), this);
  BTsettei->setGeometry(1092, 292, 80, 26);
  connect(BTsettei, &QPushButton::clicked, this, &TForm6::BTsetteiClick);

  PNLsyuuryou = new PanelButton(this, QStringLiteral("終　了"), 1092, 330, 80, 50, 0x8080FF);
  PNLsyuuryou->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 15, true));
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm6::PNLsyuuryouClick);
}

void TForm6::buildBoardPanel() {
  PNLport = group(this, 692, 420, 480, 112, 0x99FFFF);
  Label7 = new ClickLabel(QStringLiteral("出力状態"), PNLport);
  Label7->setGeometry(8, 4, 60, 16);
  Label7->setToolTip(QStringLiteral("クリックで全点灯／全消灯"));
  LBLportb = boxLabel(PNLport, texts.portbInstruction(), 74, 4, 120, 16);
  for (int bit = 7; bit >= 0; --bit) {
    const int x = 8 + (7 - bit) * 34;
    const auto b = static_cast<size_t>(bit);
    auto* caption = boxLabel(PNLport, QStringLiteral("B%1").arg(bit), x, 22, 26, 14);
    caption->setAlignment(Qt::AlignCenter);
    bbt[b] = new PanelButton(PNLport, QString(), x, 36, 26, 24, platform::clBlue);
    bbt[b]->setBevelWidth(1);
    bbt[b]->setAccessibleName(QStringLiteral("LED B%1").arg(bit));
    connect(bbt[b], &PanelButton::clicked, this, [this, bit] { bbtClick(bit); });
    // The output picture lies on the input picture; hiding it shows the input.
    IMGinb[b] = new DirectionPicture(false, PNLport, x, 62);
    IMGb[b] = new DirectionPicture(true, PNLport, x, 62);
    connect(IMGb[b], &DirectionPicture::clicked, this, [this, bit] { IMGbClick(bit); });
    connect(IMGinb[b], &DirectionPicture::clicked, this, [this, bit] { IMGinbClick(bit); });
    LBLb[b] = boxLabel(PNLport, workbench::bitDigit(false), x, 88, 26, 18, platform::clYellow);
    LBLb[b]->setAlignment(Qt::AlignCenter);
    LBLb[b]->hide();
  }
  Label8 = new ClickLabel(QStringLiteral("入出力設定"), PNLport);
  Label8->setGeometry(286, 44, 70, 16);
  Label8->setToolTip(QStringLiteral("クリックで全ビット出力"));
  connect(Label7, &ClickLabel::clicked, this, &TForm6::Label7Click);
  connect(Label8, &ClickLabel::clicked, this, &TForm6::Label8Click);
  LBLddrb = boxLabel(PNLport, workbench::ddrbText(255), 360, 44, 70, 16);
  LBLpinb = boxLabel(PNLport, workbench::pinbText(255), 286, 90, 80, 16);
  LBLd = boxLabel(PNLport, QStringLiteral("D6  D1  D0"), 380, 68, 90, 16);
  LBLd6 = boxLabel(PNLport, workbench::bitDigit(false), 380, 86, 22, 18, platform::clYellow);
  LBLd1 = boxLabel(PNLport, workbench::bitDigit(false), 408, 86, 22, 18, platform::clYellow);
  LBLd0 = boxLabel(PNLport, workbench::bitDigit(false), 436, 86, 22, 18, platform::clYellow);
  for (QLabel* l : {LBLd6, LBLd1, LBLd0}) l->setAlignment(Qt::AlignCenter);
  // One line beside the port byte, wide enough for the longest status text.
  Label4 = boxLabel(PNLport, platform::kLinkCaution, 236, 4, 192, 16);
  IMGok = new platform::ui::LinkPicture(platform::ui::LinkPicture::Kind::Ok, PNLport, 432, 10, 40);
  IMGtyuui = new platform::ui::LinkPicture(platform::ui::LinkPicture::Kind::Caution, PNLport, 432, 10, 40);
  IMGok->hide();
  connect(IMGok, &platform::ui::LinkPicture::clicked, this, &TForm6::IMGokClick);
  connect(IMGtyuui, &platform::ui::LinkPicture::clicked, this, &TForm6::IMGokClick);
  Edit1 = new QLineEdit(PNLport);
  Edit1->hide();
  Timer2 = new QTimer(this);
  Timer2->setInterval(1000);
  connect(Timer2, &QTimer::timeout, this, &TForm6::Timer2Timer);
}

void TForm6::buildFilePanel() {
  GRBfile = new QGroupBox(QStringLiteral("ファイル操作"), this);
  GRBfile->setGeometry(692, 538, 480, 156);
  LBLbangou = boxLabel(GRBfile, QStringLiteral("出席番号"), 8, 18, 52, 16);
  Label10 = boxLabel(GRBfile, QString(), 62, 18, 60, 16);
  LBLfile = boxLabel(GRBfile, QString(), 130, 18, 200, 16);
  LBLfile->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 12, true));
  for (int n = 0; n < 10; ++n) {
    const auto i = static_cast<size_t>(n);
    RDBfile[i] = radio(GRBfile, QStringLiteral("-%1.bas").arg(n), 8 + (n % 5) * 93, 36 + (n / 5) * 18, 92, n == 0);
    RDBrei[i] = radio(GRBfile, QStringLiteral("例-%1.bas").arg(n), 8 + (n % 5) * 93, 74 + (n / 5) * 18, 92);
    onChecked(RDBfile[i], this, [this, n] { RDBfileClick(n); });
    onChecked(RDBrei[i], this, [this, n] { RDBreiClick(n); });
  }
  LBLnaiyou = boxLabel(GRBfile, QStringLiteral("内容"), 8, 120, 28, 16);
  EDTfile = new QLineEdit(GRBfile);
  EDTfile->setGeometry(36, 116, 130, 26);
  EDTfile->setAccessibleName(QStringLiteral("内容"));
  PNLyomikomi = new PanelButton(GRBfile, QStringLiteral("ファイル読込"), 172, 114, 80, 30, platform::clYellow);
  PNLhozon = new PanelButton(GRBfile, QStringLiteral("ファイル保存"), 256, 114, 80, 30, 0xC0FFC0);
  PNLhozon->hide();
  PNLread = new PanelButton(GRBfile, QStringLiteral("R"), 340, 114, 28, 30, 0xFFE0C0);
  PNLsave = new PanelButton(GRBfile, QStringLiteral("S"), 372, 114, 28, 30, 0xFFE0C0);
  PNLread->hide();
  PNLsave->hide();
  PNLinsatu = new PanelButton(GRBfile, QStringLiteral("印刷"), 404, 114, 68, 30, 0xF0F0F0);
  connect(PNLyomikomi, &PanelButton::clicked, this, &TForm6::PNLyomikomiClick);
  connect(PNLhozon, &PanelButton::clicked, this, &TForm6::PNLhozonClick);
  connect(PNLread, &PanelButton::clicked, this, &TForm6::PNLreadClick);
  connect(PNLsave, &PanelButton::clicked, this, &TForm6::PNLsaveClick);
  connect(PNLinsatu, &PanelButton::clicked, this, &TForm6::PNLinsatuClick);
}

void TForm6::FormCreate() {
  for (int n = 0; n < 8; ++n) bit_weight[static_cast<size_t>(n)] = static_cast<quint8>(1 << n);
  pinb_bits.fill(0);
  pind_bits.fill(0);
  applyMode(workbench::Mode::Syokyuu);
  selectCircuit(host().targetCircuit());
  CBcrystalClick();
}

// --- What the menu hands over ---------------------------------------------------

void TForm6::startLinkTimer() { Timer2->start(); }

void TForm6::setDialogPanelsVisible(bool visible) {
  PNLread->setVisible(visible);
  PNLsave->setVisible(visible);
}

void TForm6::leaveRequested() {
  // No way out while a program runs: 終了 is disabled then.
  if (PNLsyuuryou->isEnabled()) PNLsyuuryouClick();
}

// --- Modes and captions ---------------------------------------------------------

void TForm6::applyMode(workbench::Mode mode) {
  const QMap<QString, QWidget*> groups{{"PNLformenu", PNLformenu}, {"PNLif", PNLif},         {"PNLa", PNLa},
                                       {"PNLjikan", PNLjikan},     {"PNLsubmenu", PNLsubmenu}, {"PNLlcdmenu", PNLlcdmenu},
                                       {"PNLsoundmenu", PNLsoundmenu}, {"PNLportba", PNLportba}, {"PNLexitdo", PNLexitdo}};
  QMap<QString, bool> before;
  for (auto it = groups.begin(); it != groups.end(); ++it) before[it.key()] = !it.value()->isHidden();
  const workbench::ModeView view = workbench::applyMode(mode, before);
  for (auto it = groups.begin(); it != groups.end(); ++it) it.value()->setVisible(view.groupVisible.value(it.key()));
  PNLjikkou->setEnabled(view.runEnabled);
}

void TForm6::RDBsyokyuuClick() { applyMode(workbench::Mode::Syokyuu); }
void TForm6::RDBtyuukyuuClick() { applyMode(workbench::Mode::Tyuukyuu); }
void TForm6::RDBjoukyuuClick() { applyMode(workbench::Mode::Joukyuu); }
void TForm6::RDBlcdClick() { applyMode(workbench::Mode::Lcd); }
void TForm6::RDBsoundClick() { applyMode(workbench::Mode::Sound); }

void TForm6::showTexts() {
  for (auto& [name, panel] : panels_) panel->setCaption(texts.caption(name));
  RDBms->setText(texts.msCaption());
}

void TForm6::RDBhitosiiClick() { texts.setComparison(QLatin1Char('=')); showTexts(); }
void TForm6::RDBdainariClick() { texts.setComparison(QLatin1Char('>')); showTexts(); }
void TForm6::RDBsyounariClick() { texts.setComparison(QLatin1Char('<')); showTexts(); }
void TForm6::RDBiClick() { texts.setLoopVariable(QLatin1Char('i')); showTexts(); }
void TForm6::RDBjClick() { texts.setLoopVariable(QLatin1Char('j')); showTexts(); }
void TForm6::RadioButton1Click() { texts.setVariable(QLatin1Char('a')); showTexts(); }
void TForm6::RadioButton2Click() { texts.setVariable(QLatin1Char('i')); showTexts(); }
void TForm6::RadioButton3Click() { texts.setVariable(QLatin1Char('j')); showTexts(); }
void TForm6::RadioButton4Click() { texts.setVariable(QLatin1Char('k')); showTexts(); }

void TForm6::RDBmsClick() {
  texts.setPortbValue(portb_value);
  texts.setTimeSource(workbench::TimeSource::Ms);
  PNLwt1->hide();
  showTexts();
}

void TForm6::RDBwt1Click() {
  texts.setPortbValue(portb_value);
  texts.setTimeSource(workbench::TimeSource::Wt1);
  PNLwt1->show();
  showTexts();
}

void TForm6::RDBwt2Click() {
  texts.setPortbValue(portb_value);
  texts.setTimeSource(workbench::TimeSource::Wt2);
  PNLwt1->show();
  showTexts();
}

void TForm6::CMBsubChange() { texts.setSubName(CMBsub->currentText()); showTexts(); }
void TForm6::Edit3Change() { texts.setLcdText(Edit3->text()); showTexts(); }

void TForm6::SCBjikanChange() {
  out_time = SCBjikan->value();
  texts.setPortbValue(portb_value);
  texts.setOutTime(out_time);
  showTexts();
  LBLportb->setText(texts.portbInstruction());
  EDTpro->setText(texts.portbInstruction());
}

void TForm6::Label16Click() {
  {
    const QSignalBlocker block(SCBjikan);
    SCBjikan->setValue(300);
  }
  SCBjikanChange();
}

// --- Program list and editing ---------------------------------------------------

QStringList TForm6::programLines() const {
  QStringList lines;
  for (int i = 0; i < LSTpro->count(); ++i) lines.append(LSTpro->item(i)->text());
  return lines;
}

void TForm6::setProgramLines(const QStringList& lines) {
  workbench::ProgramEdit e;
  e.lines = lines;
  e.unmarkAll();
  e.selIndex = sel_index;
  applyEdit(e);
}

workbench::ProgramEdit TForm6::editState() const {
  workbench::ProgramEdit e;
  for (int i = 0; i < LSTpro->count(); ++i) {
    e.lines.append(LSTpro->item(i)->text());
    e.marked.append(LSTpro->item(i)->isSelected());
  }
  e.selIndex = sel_index;
  return e;
}

void TForm6::applyEdit(const workbench::ProgramEdit& e) {
  const QSignalBlocker block(LSTpro);
  while (LSTpro->count() > e.count()) delete LSTpro->takeItem(LSTpro->count() - 1);
  for (int i = 0; i < e.count(); ++i) {
    if (i < LSTpro->count()) {
      if (LSTpro->item(i)->text() != e.lines[i]) LSTpro->item(i)->setText(e.lines[i]);
    } else {
      LSTpro->addItem(e.lines[i]);
    }
  }
  LSTpro->clearSelection();
  for (int i = 0; i < e.count(); ++i) {
    if (e.isMarked(i)) LSTpro->item(i)->setSelected(true);
  }
  sel_index = e.selIndex;
  if (sel_index >= 0 && sel_index < LSTpro->count()) {
    LSTpro->setCurrentRow(sel_index, QItemSelectionModel::NoUpdate);
    LSTpro->scrollToItem(LSTpro->item(sel_index));
  }
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  const bool released = watched == LSTpro->viewport() && event->type() == QEvent::MouseButtonRelease;
  const bool keyed = watched == LSTpro && event->type() == QEvent::KeyRelease;
  if (released || keyed) QMetaObject::invokeMethod(this, &TForm6::LSTproClick, Qt::QueuedConnection);
  return ToolWindow::eventFilter(watched, event);
}

void TForm6::LSTproClick() {
  const int row = LSTpro->currentRow();
  if (row < 0) return;
  sel_index = row;
  LSTpro->item(row)->setSelected(true);
}

void TForm6::LSTproDBLClick() {
  LSTproClick();
  if (sel_index >= 0 && sel_index < LSTpro->count()) EDTpro->setText(LSTpro->item(sel_index)->text());
}

void TForm6::PNLtuikaClick() {
  auto e = editState();
  e.append(EDTpro->text());
  applyEdit(e);
}

void TForm6::PNLsounyuuClick() {
  auto e = editState();
  e.insert(EDTpro->text());
  applyEdit(e);
}

void TForm6::PNLteiseiClick() {
  auto e = editState();
  e.replace(EDTpro->text());
  applyEdit(e);
}

void TForm6::PNLsakujoClick() {
  auto e = editState();
  e.deleteMarked();
  applyEdit(e);
}

void TForm6::PNLzensakujoClick() {
  if (!ctx().prompts.askYesNo(QStringLiteral("プログラムを全て消しますか?"))) return;
  LSTpro->clear();
  EDTpro->clear();
  EDTfile->clear();
  sel_index = 0;
}

void TForm6::indent() {
  auto e = editState();
  e.indent(jisage_level);
  applyEdit(e);
}

void TForm6::RDBjisageClick(int level) {
  jisage_level = level;
  indent();
  const QSignalBlocker block(RDBjisage[static_cast<size_t>(level)]);
  RDBjisage[static_cast<size_t>(level)]->setChecked(false);
}

void TForm6::SCRjisageChange() {
  jisage_level = SCRjisage->value();
  indent();
}

void TForm6::PNLcopyClick() {
  QGuiApplication::clipboard()->setText(editState().copyText());
}

void TForm6::PNLpasteClick() {
  auto e = editState();
  e.paste(QGuiApplication::clipboard()->text());
  const int keep = sel_index;
  applyEdit(e);
  sel_index = keep;
}

void TForm6::ScrollBar3Change() {
  QFont f = platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 12);
  f.setPointSize(ScrollBar3->value());
  LSTpro->setFont(f);
}

// --- Board I/O panel --------------------------------------------------------------

void TForm6::Timer2Timer() {
  const int r = link.detect();
  Edit1->setText(QString::number(r));
  Label4->setText(link.statusText());
  IMGok->setVisible(r >= 0);
  IMGtyuui->setVisible(r < 0);
}

void TForm6::siteisuu_hantei() {
  link.writePortB(ddrb_value, 255 - portb_value);
  showLeds();
}

void TForm6::showLeds() {
  texts.setPortbValue(portb_value);
  for (int bit = 0; bit < 8; ++bit)
    bbt[static_cast<size_t>(bit)]->setColour((portb_value >> bit) & 1 ? platform::clRed : platform::clBlue);
}

void TForm6::led_hantei() {
  int value = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (bbt[static_cast<size_t>(bit)]->colour() == platform::clRed) value += bit_weight[static_cast<size_t>(bit)];
  }
  portb_value = value;
  texts.setPortbValue(value);
  texts.composePortb();
  const QString text = texts.caption(QStringLiteral("PNLportb"));
  LBLportb->setText(text);
  PNLportb->setCaption(text);
  EDTpro->setText(text);
}

void TForm6::showDirection(int bit, bool output) {
  const auto b = static_cast<size_t>(bit);
  bbt[b]->setVisible(output);
  IMGb[b]->setVisible(output);
  LBLb[b]->setVisible(!output);
}

void TForm6::ddrb_hantei() {
  showDdrb();
  link.poke(link.ddrb_adr, ddrb_value);
}

void TForm6::showDdrb() {
  for (int bit = 7; bit >= 0; --bit) showDirection(bit, (ddrb_value >> bit) & 1);
  texts.setDdrb(ddrb_value);
  const QString text = texts.caption(QStringLiteral("PNLddrb"));
  LBLddrb->setText(text);
  PNLddrb->setCaption(text);
  EDTpro->setText(text);
}

void TForm6::pinbdat_hantei() { showPinb(link.readPinb()); }

void TForm6::showPinb(int value) {
  pinb_value = value;
  LBLpinb->setText(workbench::pinbText(pinb_value));
  for (int bit = 7; bit >= 0; --bit) {
    const bool set = (pinb_value >> bit) & 1;
    LBLb[static_cast<size_t>(bit)]->setText(workbench::bitDigit(set));
    pinb_bits[static_cast<size_t>(bit)] = set ? 1 : 0;
  }
}

void TForm6::pinddat_hantei() { showPind(link.readPind()); }

void TForm6::showPind(int value) {
  pind_value = value;
  const std::pair<int, QLabel*> shown[] = {{6, LBLd6}, {1, LBLd1}, {0, LBLd0}};
  for (const auto& [bit, label] : shown) {
    const bool set = (pind_value >> bit) & 1;
    label->setText(workbench::bitDigit(set));
    pind_bits[static_cast<size_t>(bit)] = set ? 1 : 0;
  }
}

void TForm6::bbtClick(int bit) {
  PanelButton* p = bbt[static_cast<size_t>(bit)];
  p->setColour(p->colour() == platform::clBlue ? platform::clRed : platform::clBlue);
  led_hantei();
}

void TForm6::Label7Click() {
  portb_value = portb_value == 255 ? 0 : 255;
  siteisuu_hantei();
  led_hantei();
}

void TForm6::Label8Click() {
  ddrb_value = 255;
  ddrb_hantei();
}

void TForm6::IMGbClick(int bit) {
  // Only a bit that is an output can become an input.
  if (!((ddrb_value >> bit) & 1)) return;
  showDirection(bit, false);
  ddrb_value -= bit_weight[static_cast<size_t>(bit)];
  ddrb_hantei();
}

void TForm6::IMGinbClick(int bit) {
  if ((ddrb_value >> bit) & 1) return;
  showDirection(bit, true);
  ddrb_value += bit_weight[static_cast<size_t>(bit)];
  ddrb_hantei();
}

void TForm6::IMGokClick() { Timer2->start(); }

void TForm6::PNLsyuuryouClick() {
  portb_value = 0;
  siteisuu_hantei();
  link.exit();
  Timer2->stop();
  leaveToMenu();
}

// --- Files ----------------------------------------------------------------------------

QString TForm6::dataPath(const QString& name) const { return ctx().path(QStringLiteral("data/") + name); }

void TForm6::RDBfileClick(int n) {
  LBLfile->setText(RDBfile[static_cast<size_t>(n)]->text());
  slotSelection();
}

void TForm6::slotSelection() {
  EDTfile->clear();
  CurrentFilePath = dataPath(LBLfile->text());
  // Slot 0 is the auto-save's: never offered for saving, list or no list.
  if (CurrentFilePath.endsWith(QStringLiteral("-0.bas"))) PNLhozon->hide();
  else if (LSTpro->count() > 0) PNLhozon->show();
}

void TForm6::showEvent(QShowEvent* event) {
  // The menu opens the window on slot 0 without running the slot's click.
  if (RDBfile[0]->isChecked()) PNLhozon->hide();
  ToolWindow::showEvent(event);
}

void TForm6::RDBreiClick(int n) {
  LBLfile->setText(RDBrei[static_cast<size_t>(n)]->text());
  EDTfile->clear();
  CurrentFilePath = dataPath(LBLfile->text());
  if (platform::textfile::exists(CurrentFilePath)) {
    EDTfile->setText(workbench::program_file::firstLineComment(CurrentFilePath));
  } else if (const auto made = platform::textfile::writeBytes(CurrentFilePath, QByteArray()); !made) {
    ctx().prompts.message(made.error);
  }
  PNLhozon->setVisible(LSTpro->count() > 0 && syusseki_bangou == QLatin1String("0000"));
}

void TForm6::loadLines(const QStringList& lines) {
  LSTpro->clear();
  EDTfile->clear();
  sel_index = 0;
  LSTpro->addItems(lines);
}

bool TForm6::takeComment(const QString& emptyMessage) {
  const auto text = workbench::program_file::splitComment(programLines());
  if (!text) {
    ctx().prompts.message(emptyMessage);
    return false;
  }
  EDTfile->setText(text->comment);
  delete LSTpro->takeItem(0);
  return true;
}

void TForm6::PNLyomikomiClick() {
  const QString path = dataPath(workbench::trimBlanks(LBLfile->text()));
  if (!ctx().prompts.askYesNo(path + QStringLiteral("を読み込みますか？"))) return;
  if (!platform::textfile::exists(path)) {
    ctx().prompts.message(path + QStringLiteral("が有りません！"));
    return;
  }
  const auto lines = workbench::program_file::readNonEmptyLines(path);
  if (!lines) {
    ctx().prompts.message(path + QStringLiteral("を読み込めません！"));
    return;
  }
  loadLines(*lines);
  takeComment(path + QStringLiteral("のプログラムが有りません！"));
}

bool TForm6::saveTo(const QString& path) {
  const auto result = workbench::program_file::write(path, EDTfile->text(), programLines());
  if (!result) {
    ctx().prompts.message(result.error);
    return false;
  }
  return true;
}

void TForm6::PNLhozonClick() {
  if (LBLfile->text().isEmpty()) return;
  const QString path = dataPath(LBLfile->text());
  if (!ctx().prompts.askYesNo(path + QStringLiteral("にプログラムを保存しますか？"))) return;
  if (saveTo(path)) ctx().prompts.message(path + QStringLiteral("に保存しました！"));
}

void TForm6::PNLreadClick() {
  const QString name = ctx().prompts.openFileName(dataPath(QString()), QStringLiteral("bas (*.bas)"));
  if (name.isEmpty()) return;
  if (!ctx().prompts.askYesNo(name + QStringLiteral("を読み込みますか？"))) return;
  if (!platform::textfile::exists(name)) {
    ctx().prompts.message(name + QStringLiteral("が有りません！"));
    return;
  }
  const auto lines = workbench::program_file::readNonEmptyLines(name);
  if (!lines) {
    ctx().prompts.message(name + QStringLiteral("を読み込めません！"));
    return;
  }
  loadLines(*lines);
  if (ctx().prompts.askYesNo(QStringLiteral("ファイルはペルモラ保存形式ですか？")))
    takeComment(name + QStringLiteral("のプログラムが有りません！"));
}

void TForm6::PNLsaveClick() {
  QString name = ctx().prompts.saveFileName(dataPath(QString()), QString(), QStringLiteral("bas (*.bas)"));
  if (name.isEmpty()) return;
  if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".bas");
  if (!ctx().prompts.askYesNo(name + QStringLiteral("にプログラムを保存しますか？"))) return;
  if (saveTo(name)) ctx().prompts.message(name + QStringLiteral("に保存しました！"));
}

bool TForm6::autoSave() {
  return saveTo(dataPath(RDBfile[0]->text()));
}

void TForm6::PNLinsatuClick() {
  if (!ctx().prompts.askYesNo(QStringLiteral("プリンタは接続されていますか？"))) return;
  std::unique_ptr<QPagedPaintDevice> printer = printerFactory ? printerFactory() : nullptr;
  const int pages =
      printer ? workbench::printListing(*printer, QStringLiteral("Ｔｅｓｋ制御　ペルモラ"),
                                        QStringLiteral("出席番号") + CurrentFilePath + QStringLiteral("のプログラムリスト"),
                                        programLines())
              : 0;
  if (pages == 0) ctx().prompts.message(QStringLiteral("印刷できませんでした！プリンタを確認して下さい。"));
}

}  // namespace pelmora
