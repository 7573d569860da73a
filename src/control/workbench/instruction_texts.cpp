#include "control/workbench/instruction_texts.h"

namespace pelmora::workbench {

namespace {

const QStringList kPanels{
    "PNLddrb",   "PNLdo",      "PNLloop",     "PNLend",     "PNLportb",     "PNLexitdo",    "PNLportba",
    "PNLfor",    "PNLnext",    "PNLportb2hi", "PNLportb2h7i", "PNLifpind",  "PNLifpinb",    "PNLifa",
    "PNLelse",   "PNLendif",   "PNLa0",       "PNLaap1",    "PNLaam1",      "PNL255a",      "PNLaab2",
    "PNLa2ha",   "PNLapinb",   "PNLaportb",   "PNLaas2",    "PNLai",        "PNLzarimu",    "PNLwt1",
    "PNLsub",    "PNLreturn",  "PNLgosub",    "PNLcls",     "PNLlcd",       "PNLlocate",    "PNLwaitms",
    "PNLupperline", "PNLlowerline", "PNLdef", "PNLchr",     "PNLdisplayon", "PNLdisplayoff", "PNLcursoron",
    "PNLcursoroff", "PNLshiftlcdr", "PNLshiftlcdl"};

}  // namespace

InstructionTexts::InstructionTexts() {
  const QStringList initial{
      "ddrB=255", "Do", "Loop", "End", "portB=0,300", "Exit Do", "portB=a,300", "For i=0 To 7", "Next i",
      "portB=2^i,300", "portB=2^(7-i),300", "If pinD.0=1 Then", "If pinB=255 Then", "If a=0 Then", "Else",
      "End If", "a=0", "a=a+1", "a=a-1", "a=255-a", "a=a*2", "a=2^a", "a=pinB", "a=portB", "a=int(a/2)", "a=i",
      "zarimu_data", "wt1=300", "Sub", "Return", "Gosub", "Cls", "Lcd \"Hello\"", "Locate 1,1", "Waitms 500",
      "Upperline", "Lowerline", "Deflcdchar 0,0,10,31,31,31,14,4,0", "Lcd chr(0)", "Display On", "Display Off",
      "Cursor On", "Cursor Off", "Shiftlcd Right", "Shiftlcd Left"};
  for (qsizetype i = 0; i < kPanels.size(); ++i) captions_[kPanels[i]] = initial[i];
}

QStringList InstructionTexts::panelNames() { return kPanels; }

void InstructionTexts::setComparison(QChar op) {
  set("PNLifpind", QStringLiteral("If pinD.0") + op + QStringLiteral("1 Then"));
  set("PNLifpinb", QStringLiteral("If pinB") + op + QStringLiteral("255 Then"));
  // The fifth character is the operator; the variable before it stays.
  const QString ifa = caption("PNLifa");
  set("PNLifa", ifa.left(4) + op + ifa.mid(5));
}

void InstructionTexts::setLoopVariable(QChar v) {
  const QString t = QString::number(outTime_);
  set("PNLfor", QStringLiteral("For ") + v + QStringLiteral("=0 To 7"));
  set("PNLnext", QStringLiteral("Next ") + v);
  set("PNLai", QStringLiteral("a=") + v);
  set("PNLportb2hi", QStringLiteral("portB=2^") + v + QStringLiteral(",") + t);
  set("PNLportb2h7i", QStringLiteral("portB=2^(7-") + v + QStringLiteral("),") + t);
}

void InstructionTexts::setVariable(QChar v) {
  const QString x(v);
  set("PNLa0", x + "=0");
  set("PNLaap1", x + "=" + x + "+1");
  set("PNLaam1", x + "=" + x + "-1");
  set("PNLaab2", x + "=" + x + "*2");
  set("PNLaas2", x + "=int(" + x + "/2)");
  set("PNLapinb", x + "=pinB");
  set("PNLaportb", x + "=portB");
  set("PNLai", x + (v == QLatin1Char('i') ? "=a" : "=i"));
  set("PNL255a", x + "=255-" + x);
  set("PNLa2ha", x + "=2^" + x);
  const QString ifa = caption("PNLifa");
  set("PNLifa", ifa.left(3) + x + ifa.mid(4));
  const QString portba = caption("PNLportba");
  set("PNLportba", portba.left(6) + x + portba.mid(7));
}

void InstructionTexts::setTimeSource(TimeSource source) {
  time_ = source;
  const QString t = QString::number(outTime_);
  const QString p = QString::number(portb_);
  if (source == TimeSource::Ms) {
    set("PNLportb", "portB=" + p + "," + t);
    set("PNLportba", "portB=a," + t);
    set("PNLportb2hi", "portB=2^i," + t);
    set("PNLportb2h7i", "portB=2^(7-i)," + t);
    return;
  }
  const QString wt = source == TimeSource::Wt1 ? QStringLiteral("wt1") : QStringLiteral("wt2");
  set("PNLportb2h7i", "portB=2^(7-i)," + wt);
  set("PNLwt1", wt + "=" + t);
  set("PNLportb", "portB=" + p + "," + wt);
  set("PNLportba", "portB=a," + wt);
  set("PNLportb2hi", "portB=2^i," + wt);
}

void InstructionTexts::setOutTime(int ms) {
  outTime_ = ms;
  const QString t = QString::number(ms);
  set("PNLportb", portbInstruction());
  set("PNLportba", "portB=a," + t);
  set("PNLportb2hi", "portB=2^i," + t);
  set("PNLportb2h7i", "portB=2^(7-i)," + t);
  if (time_ == TimeSource::Wt1) set("PNLwt1", "wt1=" + t);
  if (time_ == TimeSource::Wt2) set("PNLwt1", "wt2=" + t);
}

void InstructionTexts::setDdrb(int ddrb) { set("PNLddrb", ddrbText(ddrb)); }

void InstructionTexts::carryOutTime(int ms) {
  outTime_ = ms;
  const QString t = QString::number(ms);
  if (time_ != TimeSource::Ms) {
    const QString wt = time_ == TimeSource::Wt1 ? QStringLiteral("wt1") : QStringLiteral("wt2");
    set("PNLportb", "portB=" + QString::number(portb_) + "," + wt);
    set("PNLwt1", wt + "=" + t);
    return;
  }
  set("PNLportb", portbInstruction());
  for (const char* panel : {"PNLportba", "PNLportb2hi", "PNLportb2h7i"}) {
    const QString c = caption(QString::fromLatin1(panel));
    set(QString::fromLatin1(panel), c.left(c.lastIndexOf(u',') + 1) + t);
  }
}

void InstructionTexts::setSubName(const QString& name) {
  set("PNLsub", "Sub " + name);
  set("PNLgosub", "Gosub " + name);
}

void InstructionTexts::setLcdText(const QString& text) { set("PNLlcd", "Lcd \"" + text + "\""); }

QString InstructionTexts::portbInstruction() const {
  return QStringLiteral("portB=%1,%2").arg(portb_).arg(outTime_);
}

QString InstructionTexts::msCaption() const { return QString::number(outTime_) + QStringLiteral("m秒"); }

QStringList modeGroupNames() {
  return {"PNLformenu", "PNLif", "PNLa", "PNLjikan", "PNLsubmenu", "PNLlcdmenu", "PNLsoundmenu", "PNLportba",
          "PNLexitdo"};
}

ModeView applyMode(Mode mode, const QMap<QString, bool>& before) {
  ModeView view;
  view.groupVisible = before;
  auto show = [&](std::initializer_list<const char*> names, bool visible) {
    for (const char* n : names) view.groupVisible[QString::fromLatin1(n)] = visible;
  };
  switch (mode) {
    case Mode::Syokyuu:
      show({"PNLformenu", "PNLif", "PNLa", "PNLjikan", "PNLsubmenu", "PNLlcdmenu", "PNLsoundmenu", "PNLportba",
            "PNLexitdo"},
           false);
      break;
    case Mode::Tyuukyuu:
      show({"PNLformenu"}, true);
      show({"PNLif", "PNLa", "PNLportba", "PNLjikan", "PNLsubmenu", "PNLlcdmenu", "PNLsoundmenu", "PNLexitdo"}, false);
      break;
    case Mode::Joukyuu:
      show({"PNLformenu", "PNLif", "PNLa", "PNLjikan", "PNLsubmenu", "PNLportba", "PNLexitdo"}, true);
      show({"PNLsoundmenu", "PNLlcdmenu"}, false);
      break;
    case Mode::Lcd:
      show({"PNLlcdmenu"}, true);
      show({"PNLsoundmenu"}, false);
      view.runEnabled = false;
      break;
    case Mode::Sound:
      show({"PNLsoundmenu"}, true);
      view.runEnabled = false;
      break;
  }
  return view;
}

QString ddrbText(int ddrb) { return QStringLiteral("ddrB=") + QString::number(ddrb); }
QString pinbText(int pinb) { return QStringLiteral("pinB=") + QString::number(pinb); }
QString bitDigit(bool set) { return set ? QStringLiteral("１") : QStringLiteral("０"); }

}  // namespace pelmora::workbench
