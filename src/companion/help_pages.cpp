#include "companion/help_pages.h"

#include "platform/colors.h"

#include <QLabel>

namespace bremilo {

using platform::bgr;
using platform::ui::PanelButton;

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
}  // namespace

HelpPage::HelpPage(CompanionHost& host, int firstEntry, const QString& caption, const QString& title,
                   const QString& body, quint32 colour)
    : CompanionWindow(host, firstEntry, caption, kWidth, kHeight) {
  platform::ui::setBackground(this, colour);
  title_ = platform::ui::label(this, title, 24, 16, 24, bgr(0x800000), true);
  body_ = new QLabel(body, this);
  body_->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 15));
  body_->setWordWrap(true);
  body_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  body_->setGeometry(32, 60, kWidth - 64, kHeight - 140);
}

PanelButton* HelpPage::addLeavePanel(const QString& caption) {
  return new PanelButton(this, caption, kWidth - 129, kHeight - 65, 105, 41, 0x8080FF);
}

TForm4::TForm4(CompanionHost& host)
    : HelpPage(host, 7, QStringLiteral("ブレミロさん：スタンドアロン測定"), QStringLiteral("スタンドアロン測定／記録の方法"),
               QStringLiteral(
                   "パソコンにつながなくても、「ザリム」ボードだけで測定して、マイコン内(eeprom)に記録できます。\n\n"
                   "１．ディップスイッチを「1000」にします。\n"
                   "２．リセットボタンを押します。表示は「0」になります。\n"
                   "３．ストップボタンで記録の間隔を選びます。\n"
                   "　　「1」……5分ごと　　「2」……1分ごと　　「3」……2秒ごと\n"
                   "４．スタートボタンを押すと記録が始まります。\n"
                   "　　途中でデータを確かめるときは、スタートボタンを長く押します。\n"
                   "５．記録を終えるときは、リセットボタンを押してから電源を外します。\n\n"
                   "記録したデータは、メニューの「マイコン内(eeprom)データ転送」でパソコンに読み取って保存できます。"),
               0xF0FFF0) {
  PNLsyuuryou = addLeavePanel(QStringLiteral("終了"));
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm4::PNLsyuuryouClick);
}

TForm5::TForm5(CompanionHost& host)
    : HelpPage(host, 9, QStringLiteral("「ブレミロさん」と「ザリム」について"), QStringLiteral("概要説明"),
               QStringLiteral(
                   "「ザリム」は、測定の授業のために作られたマイコンボードです。"
                   "マイコンに書き込むファームウェアによって、役割が変わります。\n\n"
                   "　・温度センサと光センサで測る測定ボード\n"
                   "　・電子オルゴール\n"
                   "　・電光掲示板\n\n"
                   "測定ボードのファームウェア「ブレミロ」は「bremilo.hex」です。"
                   "書き込むときは、ヒューズ設定もいっしょに行ってください。\n\n"
                   "このプログラム「bremilo_san.exe」（ブレミロさん）は、測定ボードの値をリアルタイムでグラフにしたり、"
                   "ボードに記録されたデータを読み取ったりして、CSVファイルに保存します。"),
               0xFFF8F0) {
  Panel1 = addLeavePanel(QStringLiteral("閉じる"));
  connect(Panel1, &PanelButton::clicked, this, &TForm5::Panel1Click);
}

TForm6::TForm6(CompanionHost& host)
    : HelpPage(host, 11, QStringLiteral("「ザリム」のゲームの取り扱い"), QStringLiteral("ゲームメニューの取り扱い"),
               QStringLiteral(
                   "ディップスイッチをすべてONにしてリセットボタンを押すと、ゲームメニューになります。"
                   "ストップボタンでメニューの番号を選び、スタートボタンで始めます。\n\n"
                   "メニュー0　タイマー\n"
                   "　ストップボタンで1～10分を選び（はじめは3分）、スタートボタンで数え始めます。\n"
                   "メニュー1　ビンゴ\n"
                   "　スタートボタンを押すたびに、1～75の数を重ならないように出します。\n"
                   "メニュー2　ルーレット\n"
                   "　スタートボタンで回し、ストップボタンで1～99のどれかに止めます。\n"
                   "メニュー3　サイコロ\n"
                   "　スタートボタンで振り、ストップボタンで1～6の目を出します。"),
               0xF0F8FF) {
  Panel1 = addLeavePanel(QStringLiteral("終了"));
  connect(Panel1, &PanelButton::clicked, this, &TForm6::Panel1Click);
}

void TForm6::Panel1Click() {
  host().storePosition(firstEntry(), y(), x());
  hide();
}

TForm8::TForm8(CompanionHost& host)
    : HelpPage(host, 15, QStringLiteral("ブレミロさん：データ補正"), QStringLiteral("データ補正"),
               QStringLiteral(
                   "「ザリム」ボードに補正値を記憶させると、測定値を直すことができます。\n\n"
                   "１．ディップスイッチの4をONにして、リセットボタンを押します。\n"
                   "　　「h0」～「hA」が表示されます。\n"
                   "２．ストップボタンで補正値を選びます。\n"
                   "　　「h0」…-5　「h1」…-4　「h2」…-3　「h3」…-2　「h4」…-1　「h5」…±0\n"
                   "　　「h6」…+1　「h7」…+2　「h8」…+3　「h9」…+4　「hA」…+5\n"
                   "３．スタートボタンを押すと、補正値が記憶されます。\n"
                   "４．ディップスイッチの4をOFFにして、リセットボタンを押します。\n\n"
                   "記憶した補正値は、マイコン内(eeprom)のデータといっしょにパソコンへ送られます。"),
               0xF0FFFF) {
  PNLsyuuryou = addLeavePanel(QStringLiteral("終了"));
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm8::PNLsyuuryouClick);
}

TForm9::TForm9(CompanionHost& host, TForm6& gamePage)
    : HelpPage(host, 17, QStringLiteral("ブレミロさん：「ザリム」のメニュー構成"), QStringLiteral("メニュー構成"),
               QStringLiteral(
                   "メニューの選び方：リセットボタンを押すと「0」が表示されます。"
                   "ストップボタンで1～9を選び、スタートボタンを押します。\n\n"
                   "出荷時の第1メニュー\n"
                   "　0　マイコン内(eeprom)のデータをパソコンへ転送\n"
                   "　1　リアルタイム測定（シリアル転送）\n"
                   "　2　スタンドアロン測定（5分ごと）\n"
                   "　3　スタンドアロン測定（1分ごと）\n"
                   "　4　スタンドアロン測定（2秒ごと）\n"
                   "　5　リアルタイム測定（パラレル転送）\n"
                   "　6　高速シリアル転送\n\n"
                   "ゲームメニュー：ディップスイッチをすべてONにします。\n"
                   "そのほかのメニューは、いま開発中です。"),
               0xFFF0F8),
      gamePage_(gamePage) {
  PNLsyuuryou = addLeavePanel(QStringLiteral("閉じる"));
  Panel2 = new PanelButton(this, QStringLiteral("ゲームの取り扱い方"), 24, 415, 160, 41, 0xBBFFBB);
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm9::PNLsyuuryouClick);
  connect(Panel2, &PanelButton::clicked, this, &TForm9::Panel2Click);
}

void TForm9::Panel2Click() {
  gamePage_.show();
  gamePage_.raise();
}

}  // namespace bremilo
