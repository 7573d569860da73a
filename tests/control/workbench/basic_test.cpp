#include "control/workbench/basic_generator.h"
#include "control/workbench/sound_table.h"

#include <gtest/gtest.h>

using namespace pelmora::workbench;

namespace {

QStringList translated(const QString& line) { return translateLine(line).output; }

const QStringList kFullHeader{
    "$regfile = \"Attiny2313.dat\"", "$crystal = 1000000", "Config Lcd = 16 * 2", "Config PortD=Input",
    "PortD=&B11111111", "Dim i As Integer", "Dim j As Integer", "Dim k As Integer", "Dim x As Integer",
    "Dim a As Integer", "Dim wt1 As Integer", "Dim wt2 As Integer"};

}  // namespace

TEST(BascomHeader, FollowsCircuitAndBoxesInTableOrder) {
  BascomSettings s;
  EXPECT_EQ(bascomHeader(s), kFullHeader);

  s.selectCircuit(2);
  QStringList expected = kFullHeader;
  expected[1] = "$crystal = 12000000";
  EXPECT_EQ(bascomHeader(s), expected);

  s.selectCircuit(3);
  expected[0] = "$regfile = \"m168def.dat\"";
  EXPECT_EQ(bascomHeader(s), expected);

  s.selectCircuit(1);
  EXPECT_EQ(bascomHeader(s), kFullHeader);

  // "portB=Output" is offered but adds nothing.
  s.portBOutput = false;
  EXPECT_EQ(bascomHeader(s), kFullHeader);

  BascomSettings none;
  none.mega168 = true;
  none.lcd = none.portBOutput = none.portDInput = none.variablesIJK = none.variableA = none.variablesWt = false;
  EXPECT_EQ(bascomHeader(none), (QStringList{"$regfile = \"m168def.dat\"", "$crystal = 1000000"}));

  // Each box alone, so a box cannot borrow another's lines or place.
  BascomSettings one = none;
  one.mega168 = false;
  one.variableA = true;
  one.lcd = true;
  EXPECT_EQ(bascomHeader(one), (QStringList{"$regfile = \"Attiny2313.dat\"", "$crystal = 1000000",
                                            "Config Lcd = 16 * 2", "Dim a As Integer"}));
  one.lcd = one.variableA = false;
  one.portDInput = true;
  one.variablesWt = true;
  EXPECT_EQ(bascomHeader(one), (QStringList{"$regfile = \"Attiny2313.dat\"", "$crystal = 1000000", "Config PortD=Input",
                                            "PortD=&B11111111", "Dim wt1 As Integer", "Dim wt2 As Integer"}));
}

TEST(BascomTranslation, OutputAndDirectionLines) {
  EXPECT_EQ(translated("ddrB=255"), QStringList{"Config PortB=255"});
  EXPECT_EQ(translated("      ddrB=15"), QStringList{"      Config PortB=15"});
  EXPECT_EQ(translated("portB=5,300"), (QStringList{"Portb=&B11111010", "Waitms 300"}));
  EXPECT_EQ(translated("portB=255,100"), (QStringList{"Portb=&B00000000", "Waitms 100"}));
  EXPECT_EQ(translated("   portB=0,wt1"), (QStringList{"   Portb=&B11111111", "   Waitms wt1"}));
  EXPECT_EQ(translated("portB=128,1"), (QStringList{"Portb=&B01111111", "Waitms 1"}));
  EXPECT_EQ(translated("portB=a,300"), (QStringList{"Portb=255-a", "Waitms 300"}));
  EXPECT_EQ(translated("portB=k,wt2"), (QStringList{"Portb=255-k", "Waitms wt2"}));
  EXPECT_EQ(translated("portB=2^i,300"), (QStringList{"x=2^i", "portB=255-x", "Waitms 300"}));
  EXPECT_EQ(translated("portB=2^(7-i),300"), (QStringList{"x=7-i", "x=2^x", "Portb=255-x", "Waitms 300"}));
  EXPECT_EQ(translated("   portB=2^(7-j),wt1"),
            (QStringList{"   x=7-j", "   x=2^x", "   Portb=255-x", "   Waitms wt1"}));
  EXPECT_EQ(translated("portB=2^j,300"), (QStringList{"x=2^j", "portB=255-x", "Waitms 300"}));
}

TEST(BascomTranslation, LabelsEndAndCopiedLines) {
  EXPECT_EQ(translated("Sub mae"), QStringList{"mae:"});
  EXPECT_EQ(translated("   Sub  migi_mae "), QStringList{"migi_mae:"});
  EXPECT_EQ(translated("End"), (QStringList{"portB=255", "End"}));
  for (const QString line : {"End If", "   End", "End ", "Do", "   Loop", "Exit Do", "For i=0 To 7", "Next i",
                             "If pinD.0=1 Then", "Else", "Gosub mae", "Return", "a=a+1", "wt1=300", "Lcd \"Hi\"",
                             "Sound portB.0,335,319", "zarimu_data", "", "Portb=5,300"}) {
    EXPECT_EQ(translated(line), QStringList{line}) << line.toStdString();
  }
}

TEST(BascomTranslation, FullWidthBlanksAndBadNumbers) {
  const LineTranslation t = translateLine(QString::fromUtf16(u"　　portB=3,300"));
  EXPECT_EQ(t.programLine, "  portB=3,300");
  EXPECT_EQ(t.output, (QStringList{"  Portb=&B11111100", "  Waitms 300"}));

  for (const QString bad : {"ddrB=x", "ddrB=", "portB=x,300", "portB=5", "portB=,300"}) {
    EXPECT_FALSE(translateLine(bad).ok) << bad.toStdString();
  }
  EXPECT_EQ(parseWholeNumber(" 42 "), 42);
  EXPECT_EQ(parseWholeNumber("-3"), -3);
  EXPECT_EQ(parseWholeNumber("$FF"), 255);
  EXPECT_EQ(parseWholeNumber("4 2"), std::nullopt);
  EXPECT_EQ(parseWholeNumber("99999999999"), std::nullopt);
}

TEST(BascomText, WholeProgramByteForByte) {
  BascomSettings s;
  s.selectCircuit(3);
  s.lcd = s.portDInput = s.variablesIJK = s.variablesWt = false;
  const QStringList program{"ddrB=255", "Do", QString::fromUtf16(u"　　　portB=a,300"), "   a=a+1", "Loop", "End",
                            "Sub mae", "Return"};
  const BascomText text = generateBascom(program, s);
  EXPECT_FALSE(text.badLine);
  EXPECT_EQ(text.program[2], "   portB=a,300");
  const QByteArray expected =
      "$regfile = \"m168def.dat\"\r\n"
      "$crystal = 12000000\r\n"
      "Dim a As Integer\r\n"
      "Config PortB=255\r\n"
      "Do\r\n"
      "   Portb=255-a\r\n"
      "   Waitms 300\r\n"
      "   a=a+1\r\n"
      "Loop\r\n"
      "portB=255\r\n"
      "End\r\n"
      "mae:\r\n"
      "Return\r\n"
      "\r\n";
  EXPECT_EQ(bascomFileBytes(text.lines), std::optional<QByteArray>(expected));

  const BascomText bad = generateBascom({"Do", "ddrB=1x", "ddrB=y"}, s);
  EXPECT_EQ(bad.badLine, 1);

  EXPECT_EQ(bascomFileBytes({QString::fromUtf16(u"Lcd \"ド\"")}), std::optional<QByteArray>("Lcd \"\x83h\"\r\n\r\n"));
  EXPECT_EQ(bascomFileBytes({QString::fromUtf16(u"Lcd \"\U0001F600\"")}), std::nullopt);
}

TEST(SoundTable, RowsAtStartValuesAndRounding) {
  const NoteTable table = computeNoteTable(16, 120);
  const std::array<int, 20> counts{141, 149, 158, 167, 177, 188, 199, 211, 224, 237,
                                   251, 266, 282, 298, 316, 335, 355, 376, 398, 422};
  const std::array<int, 20> periods{379, 358, 337, 319, 301, 284, 268, 253, 239, 225,
                                    213, 201, 189, 179, 169, 159, 150, 142, 134, 126};
  EXPECT_EQ(table.count, counts);
  EXPECT_EQ(table.period, periods);
  // Column 16 is ド.
  EXPECT_EQ(QString::fromUtf16(noteColumns()[15].name), QString::fromUtf16(u"ド"));
  EXPECT_EQ(soundInstruction("portB.0", table.count[15], table.period[15]), "Sound portB.0,335,159");

  // The period does not follow length or tempo; the count does, past the bar's end.
  const NoteTable slow = computeNoteTable(64, 60);
  EXPECT_EQ(slow.period, periods);
  EXPECT_EQ(slow.count[19], 3375);
  EXPECT_GT(slow.count[15], 1000);

  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(3.49), 3);
  EXPECT_EQ(roundHalfEven(-0.5), 0);
  EXPECT_EQ(soundCount(17600, 2, 60), 35);
}

TEST(SoundTable, MapsDefaultsAndInstructions) {
  EXPECT_STREQ(noteLengths()[6].nagasa, "16");
  EXPECT_EQ(QString::fromUtf16(noteLengths()[6].name), QString::fromUtf16(u"４分音符"));
  EXPECT_STREQ(noteLengths()[10].nagasa, "64");
  EXPECT_STREQ(tempos()[5], "120");
  EXPECT_STREQ(tempos()[0], "60");

  const SoundBars plain = soundDefaults(false);
  EXPECT_EQ(plain.count, 335);
  EXPECT_EQ(plain.period, 319);
  EXPECT_EQ(plain.periodMax, 1000);
  const SoundBars crystal = soundDefaults(true);
  EXPECT_EQ(crystal.period, 3822);
  EXPECT_EQ(crystal.periodMax, 6000);
  EXPECT_EQ(crystal.countMax, 1000);

  EXPECT_EQ(recomposeSound("Sound portD.6,1,2", "335", "319"), "Sound portD.6,335,319");
  EXPECT_EQ(soundInstruction("portD.6", 335, 3822), "Sound portD.6,335,3822");
}
