#pragma once
// The captions of the instruction panels and the rules that rewrite them
// when the pupil picks a comparison, a variable, a loop variable, a time
// source, a sub-program name, an LCD text or an output time. Every panel
// copies its caption into the instruction box, so these texts are exactly
// what the run and the BASIC generator receive.

#include <QMap>
#include <QString>
#include <QStringList>

namespace pelmora::workbench {

enum class TimeSource { Ms, Wt1, Wt2 };

class InstructionTexts {
 public:
  InstructionTexts();

  // Caption of a panel by its name ("PNLifa"); empty for an unknown name.
  QString caption(const QString& panel) const { return captions_.value(panel); }
  const QMap<QString, QString>& captions() const { return captions_; }
  static QStringList panelNames();

  // Comparison radios "=", ">", "<".
  void setComparison(QChar op);
  // Loop variable radios "i", "j".
  void setLoopVariable(QChar v);
  // Variable radios "a", "i", "j", "k".
  void setVariable(QChar v);
  void setTimeSource(TimeSource source);
  TimeSource timeSource() const { return time_; }
  // The output-time slider; also the port number shown in "portB=" texts.
  void setOutTime(int ms);
  int outTime() const { return outTime_; }
  // The port number the portB panel composes with; the caption follows only
  // through composePortb or a time change.
  void setPortbValue(int value) { portb_ = value; }
  int portbValue() const { return portb_; }
  // The LED row: the portB panel := "portB=<port>,<time>".
  void composePortb() { set("PNLportb", portbInstruction()); }
  // The direction panel := "ddrB=<ddrb>".
  void setDdrb(int ddrb);
  // The time a run ended with: the numbers after the commas and in the wt
  // panel become ms; the letters and a chosen wt name stay.
  void carryOutTime(int ms);
  void setSubName(const QString& name);
  void setLcdText(const QString& text);

  // "portB=<port>,<time>" as the LED row and the slider compose it.
  QString portbInstruction() const;
  // Caption of the time radio "300m秒".
  QString msCaption() const;
  // Whether the wt1/wt2 panel is shown (a wt time source chosen).
  bool wtPanelVisible() const { return time_ != TimeSource::Ms; }

 private:
  void set(const QString& panel, const QString& text) { captions_[panel] = text; }
  QMap<QString, QString> captions_;
  TimeSource time_ = TimeSource::Ms;
  int outTime_ = 300;
  int portb_ = 0;
};

// The five modes and which panel groups each shows.
enum class Mode { Syokyuu, Tyuukyuu, Joukyuu, Lcd, Sound };

struct ModeView {
  QMap<QString, bool> groupVisible;  // by group name
  bool runEnabled = true;            // 実行
};

// The groups the modes switch, by name.
QStringList modeGroupNames();
// The view after choosing mode; groups a mode leaves alone keep their
// visibility from before.
ModeView applyMode(Mode mode, const QMap<QString, bool>& before);

// Texts of the board panel.
QString ddrbText(int ddrb);                   // "ddrB=255"
QString pinbText(int pinb);                   // "pinB=255"
QString bitDigit(bool set);                   // full-width "１" / "０"

}  // namespace pelmora::workbench
