#include "control/musicbox/basic_generator.h"
#include "platform/textfile.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace pelmora::musicbox;

namespace {

QByteArray golden(const char* name) {
  QFile f(QStringLiteral(MUSICBOX_GOLDEN_DIR "/") + QString::fromLatin1(name));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
  return f.readAll();
}

QByteArray bytes(const QStringList& lines) {
  QList<QByteArray> raw;
  for (const QString& l : lines) raw << l.toLatin1();
  return platform::joinLines(raw);
}

}  // namespace

TEST(MusicBoxBasic, DefaultProgramsDifferOnlyInTheCallLine) {
  DataLines lines;
  lines[0] = "data \"_C_16\",\"_D_16\",\"_E_16\",\"_F_16\",\"_G_16\",\"_A_16\",\"_B_16\",\"+C_16\",\"+Cb16\",\"_K_08\"";
  lines[1] = "data ";
  const GeneratorSettings defaults;
  const QStringList bascom = generateBasic(defaults, "data 120", lines, BasicTarget::Bascom);
  EXPECT_EQ(bytes(bascom), golden("default_bascom.bas"));
  EXPECT_EQ(bytes(generateBasic(defaults, "data 120", lines, BasicTarget::Mirvotak)), golden("default_mirvotak.bas"));
  EXPECT_TRUE(bascom[21].isEmpty());
  EXPECT_EQ(bascom[22], "  Gosub Mplay");
}

TEST(MusicBoxBasic, InputConditionAndOtherBoard) {
  DataLines lines;
  lines[1] = "data \"_C_16\"";
  lines[5] = "data \"-A_64\",\"+G#08\"";
  GeneratorSettings s;
  s.attiny2313 = false;
  s.crystal12MHz = true;
  s.soundLine = soundLineFor("PortC.5");
  s.inputCondition = true;
  s.conditionLow = false;
  s.conditionPin = 3;
  const QStringList bascom = generateBasic(s, "data 96", lines, BasicTarget::Bascom);
  EXPECT_EQ(bytes(bascom), golden("condition_measuring_board.bas"));
  EXPECT_EQ(generateBasic(s, "data 96", lines, BasicTarget::Mirvotak), bascom);

  s.conditionLow = true;
  s.conditionPin = 0;
  EXPECT_EQ(generateBasic(s, "data 96", lines, BasicTarget::Bascom)[22], "   If pinD.0=0 Then");
}

TEST(MusicBoxBasic, EmptyMelodyEndsWithTempoAndEndMark) {
  const QStringList out = generateBasic(GeneratorSettings{}, "data 120", DataLines{}, BasicTarget::Bascom);
  ASSERT_GE(out.size(), 2);
  EXPECT_EQ(out[out.size() - 2], "data 120");
  EXPECT_EQ(out.last(), "data \"XXXXX\"");
  EXPECT_EQ(out.size(), 2 + 19 + 1 + 1 + 48 + 1 + 1 + 30 + 1 + 1 + 1);
}

TEST(MusicBoxBasic, TempoMustBeAByteAboveZero) {
  EXPECT_EQ(tempoOf("data 120"), 120);
  EXPECT_EQ(tempoOf("data 1"), 1);
  EXPECT_EQ(tempoOf("data 255"), 255);
  EXPECT_EQ(tempoOf(" Data  60 "), 60);
  EXPECT_EQ(tempoOf("data  132 "), 132);
  for (const char* bad : {"data 0", "data 256", "data ", "data", "data -5", "data 12a", "120", "data12", "data 99999999999"})
    EXPECT_FALSE(tempoOf(bad).has_value()) << bad;
  // Only the ASCII blank separates: a tab or an ideographic space (easy to
  // type with an input method) is no blank to the compiler.
  for (const char* bad : {"data\t120", "data \t120", "data\u3000120", "data 120\t", "data 120\u3000", "\tdata 120",
                          "\u3000data 120", "data\u00a0120"})
    EXPECT_FALSE(tempoOf(QString::fromUtf8(bad)).has_value()) << bad;
}
