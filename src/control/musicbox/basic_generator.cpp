#include "control/musicbox/basic_generator.h"

namespace pelmora::musicbox {

namespace {

// Ports, variables and the start of the main loop.
const char* const kHead[] = {
    "Config PortB=Output",
    "Portb=&B11111111",
    "Config PortD=Input",
    "PortD=&B11111111",
    "",
    "Dim Mtempo As Word",
    "Dim Moct As Byte",
    "Dim Moctdata As Word",
    "Dim Mfreq As Word",
    "Dim Mtw1 As Word",
    "Dim Mtw2 As Word",
    "Dim Mts1 As String*1",
    "Dim Mts5 As String*5",
    "Dim Mtb As Byte",
    "Dim Monkai As Byte",
    "Dim Mtl As Long",
    "",
    "Do",
    "   Waitms 100",
};

// The end of the main loop and the player up to its Sound statement.
const char* const kPlay[] = {
    "Loop",
    "End",
    "",
    "Mplay:",
    "   Restore Data_music",
    "   Read Mtb",
    "   Mtl=4800/Mtb",
    "   Mtempo=Mtl",
    "   Do",
    "      Read Mts5",
    "      If Mts5=\"XXXXX\" Then",
    "        Exit Do",
    "      End If",
    "      Mts1=Mid(mts5,1,1)",
    "      Moct=4",
    "      If Mts1=\"-\" Then",
    "        Moct=3",
    "      End If",
    "      If Mts1=\"+\" Then",
    "        Moct=5",
    "      End If",
    "      Moctdata=Lookup(moct,Data_oct)",
    "      Mts1=Mid(mts5,2,1)",
    "      If Mts1=\"K\" Then",
    "          Gosub Sub_nagasa",
    "          Waitms Mtw1",
    "      Else",
    "         Mtb=Asc(mts1)",
    "         Mtb=Mtb-&H40",
    "         Monkai=Mtb*2",
    "",
    "         Mts1=Mid(mts5,3,1)",
    "         If Mts1=\"#\" Then",
    "           Monkai=Monkai+1",
    "         End If",
    "         If Mts1=\"b\" Then",
    "           Monkai=Monkai-1",
    "         End If",
    "         Monkai=Monkai-1",
    "         Mfreq=Lookup(monkai,Data_freq)",
    "         Mfreq=Mfreq/Moctdata",
    "         Mtw2=Mfreq*12",
    "         Mtl=_xtal/Mtw2",
    "         Mtw2=Mtl",
    "         Gosub Sub_nagasa",
    "         Mtl=Mtw1*Mfreq",
    "         Mtl=Mtl/1000",
    "         Mtw1=Mtl",
};

// After the Sound statement: the length routine and the tone tables.
const char* const kTail[] = {
    "      End If",
    "  Loop",
    "  wait 1",
    "  Return",
    "",
    "Sub_nagasa:",
    "  Mts1=Mid(mts5,4,1)",
    "  Mtw1=Val(mts1)*10",
    "",
    "  Mts1=Mid(mts5,5,1)",
    "  Mtb=Val(mts1)",
    "",
    "  Mtb=Mtw1+Mtb",
    "",
    "  Mtw1=Mtempo",
    "  If Mtb<>0 Then",
    "    Mtw1=Mtw1*Mtb",
    "  End If",
    "Return",
    "",
    "Data_freq:",
    "  Data 33224%,35200%,37294%,39511%,0%",
    "  Data 20930%,22175%,23493%,24890%,26370%,0%",
    "  Data 27938%,29600%,31360%,33224%",
    "",
    "Data_oct:",
    "  Data 640%,320%,160%,80%,40%,20%,10%",
    "",
    "Data_music:",
    "",
};

template <size_t N>
void append(QStringList& out, const char* const (&lines)[N]) {
  for (const char* line : lines) out.append(QString::fromLatin1(line));
}

}  // namespace

QStringList generateBasic(const GeneratorSettings& s, const QString& tempoLine, const DataLines& lines,
                          BasicTarget target) {
  QStringList out;
  out << (s.attiny2313 ? QStringLiteral("$regfile=\"Attiny2313.dat\"") : QStringLiteral("$regfile=\"m168def.dat\""));
  out << (s.crystal12MHz ? QStringLiteral("$crystal=12000000") : QStringLiteral("$crystal=1000000"));
  append(out, kHead);
  out << QString();
  if (s.inputCondition) {
    out << QStringLiteral("   If pinD.%1=%2 Then").arg(s.conditionPin).arg(s.conditionLow ? 0 : 1);
    out << QStringLiteral("      Gosub Mplay");
    out << QStringLiteral("   End If");
  } else {
    out << (target == BasicTarget::Bascom ? QStringLiteral("  Gosub Mplay") : QStringLiteral("   Gosub Mplay"));
  }
  append(out, kPlay);
  out << QString();
  out << s.soundLine;
  append(out, kTail);
  out << QString();
  out << tempoLine;
  for (const QString& line : lines) {
    if (holdsNotes(line)) out << line;
  }
  out << QStringLiteral("data \"XXXXX\"");
  return out;
}

QString soundLineFor(const QString& pin) {
  return QStringLiteral("         Sound ") + pin + QStringLiteral(",Mtw1,Mtw2");
}

namespace {

// The compiler separates with the ASCII blank only: a tab or an ideographic
// space around the number is no blank to it.
QString withoutBlanks(const QString& text) {
  qsizetype from = 0;
  qsizetype to = text.size();
  while (from < to && text[from] == QLatin1Char(' ')) ++from;
  while (to > from && text[to - 1] == QLatin1Char(' ')) --to;
  return text.mid(from, to - from);
}

}  // namespace

std::optional<int> tempoOf(const QString& tempoLine) {
  const QString line = withoutBlanks(tempoLine);
  if (!line.startsWith(QStringLiteral("data"), Qt::CaseInsensitive) || line.size() < 6 || line[4] != QLatin1Char(' '))
    return std::nullopt;
  const QString number = withoutBlanks(line.mid(5));
  for (QChar c : number) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  }
  bool ok = false;
  const int tempo = number.toInt(&ok);
  if (!ok || tempo < 1 || tempo > 255) return std::nullopt;
  return tempo;
}

}  // namespace pelmora::musicbox
