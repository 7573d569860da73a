#include "control/signboard/sign_basic.h"
#include "control/signboard/sign_design.h"
#include "control/signboard/sign_file.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace signboard;

namespace {

QByteArray crlf(const char* text) { return QByteArray(text).replace("\n", "\r\n"); }

const char* kHead = R"($regfile="Attiny2313.dat"
Config Lcdpin=Pin,Db4=PortB.4,Db5=PortB.5,Db6=PortB.6,Db7=PortB.7,E=PortB.3,Rs=PortB.2
Config Lcd=16*2
Config Portd=Input
Portd=&B11111111
$crystal=1000000
Dim I As Integer
Dim J As Integer
Dim K As Integer
Dim M As Integer
Dim L As Integer
Dim A As Byte
Cursor Off
Cls
Deflcdchar 0,31,31,31,31,31,31,31,31
Deflcdchar 1,31,31,31,31,31,31,31,31
Deflcdchar 2,31,31,31,31,31,31,31,31
Deflcdchar 3,31,31,31,31,31,31,31,31
Deflcdchar 4,31,31,31,31,31,31,31,31
Deflcdchar 5,31,31,31,31,31,31,31,31
Deflcdchar 6,31,31,31,31,31,31,31,31
Deflcdchar 7,31,31,31,31,31,31,31,31
Waitms 1000

Do
   GoSub Ldata
   For I=1 To 16
      Read a
      Locate 1,I
      Lcd Chr(a)
   Next I
   For I=17 To 40
      Read a
   Next I
   For I=1 To 16
      Read a
      Locate 2,I
      Lcd Chr(a)
   Next I
   Waitms 1000
Loop
End

Ldata:
   l=0
   If pinD.3=0 Then
      l=1
   End If
   If pinD.4=0 Then
      l=l+2
   End If
   If pinD.5=0 Then
      l=l+4
   End If
   If l=0 Then
      Restore Bdata0
   End If
   If l=1 Then
      Restore Bdata1
   End If
   If l=2 Then
      Restore Bdata2
   End If
   If l=3 Then
      Restore Bdata3
   End If
   If l=4 Then
      Restore Bdata4
   End If
   If l=5 Then
      Restore Bdata5
   End If
   If l=6 Then
      Restore Bdata6
   End If
   If l=7 Then
      Restore Bdata7
   End If
Return
)";

// The lines between "Do" and "Loop".
QByteArrayList body(const BasicInput& in) {
  const QByteArrayList lines = generateBasic(in);
  const qsizetype from = lines.indexOf("Do");
  const qsizetype to = lines.indexOf("Loop");
  EXPECT_GE(from, 0);
  EXPECT_GT(to, from);
  return lines.mid(from + 1, to - from - 1);
}

QByteArrayList split(const char* text) {
  QByteArrayList lines = QByteArray(text).split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

TEST(SignBasic, DefaultDesignWithFourCellsGivesTheWholeFile) {
  SignDesign d;
  d.typeKey(34);   // A
  d.typeKey(114);  // ｱ
  d.typeKey(164);  // G3
  d.typeKey(7);    // &&
  d.jouken(0);

  BasicInput in;
  for (int n = 0; n < 8; ++n) in.messages[static_cast<size_t>(n)] = d.message(n);
  for (int g = 0; g < 8; ++g) in.glyphs[static_cast<size_t>(g)] = d.glyph(g);

  QByteArray expected = crlf(kHead);
  expected += crlf("\nBdata0:\ndata &H41\ndata &HB1\ndata &H3\ndata &H26\n");
  for (int i = 5; i <= 80; ++i) expected += "data &H80\r\n";
  for (int k = 1; k <= 7; ++k) {
    expected += "\r\nBdata" + QByteArray::number(k) + ":\r\n";
    for (int i = 1; i <= 80; ++i) expected += "data &H80\r\n";
  }
  expected += "\r\n";
  EXPECT_EQ(basicFileBytes(generateBasic(in)), expected);
}

TEST(SignBasic, HeaderFollowsMicrocontrollerCrystalGlyphsAndPins) {
  BasicInput in;
  in.mega168 = true;
  in.crystal12 = true;
  in.glyphs[2] = "2,0,10,31,10,31,10,0,0";
  in.pins = {"pinC.1", "pinC.2", "pinC.3"};
  const QByteArrayList lines = generateBasic(in);
  const QByteArrayList head = lines.mid(0, 15);
  EXPECT_EQ(head, split(R"($regfile="m168def.dat"
Config Lcdpin=Pin,Db4=PortD.4,Db5=PortD.5,Db6=PortD.6,Db7=PortD.7,E=PortD.3,Rs=PortD.2
Config Lcd=16*2
Config PortC=Input
PortC=&B11111111
$crystal=12000000
Dim I As Integer
Dim J As Integer
Dim K As Integer
Dim M As Integer
Dim L As Integer
Dim A As Byte
Cursor Off
Cls
Deflcdchar 2,0,10,31,10,31,10,0,0
)"));
  EXPECT_EQ(lines[15], "Waitms 1000");
  EXPECT_TRUE(lines.contains("   If pinC.1=0 Then"));
  EXPECT_TRUE(lines.contains("   If pinC.3=0 Then"));
  EXPECT_EQ(lines.count("Deflcdchar 2,0,10,31,10,31,10,0,0"), 1);
}

TEST(SignBasic, EveryTableKeepsEightyLinesWhateverTheCells) {
  BasicInput in;
  QByteArray message(160, ' ');
  message.replace(0, 2, "xy");   // no key carries it
  message.replace(2, 2, " \xB1");  // ｱ
  message.replace(158, 2, "G7");
  in.messages[3] = message;
  in.messages[5] = "short";  // a message cut short reads as empty cells
  const QByteArrayList lines = generateBasic(in);
  for (int k = 0; k < 8; ++k) {
    const qsizetype at = lines.indexOf("Bdata" + QByteArray::number(k) + ":");
    ASSERT_GE(at, 0);
    const QByteArrayList table = lines.mid(at + 1, 80);
    EXPECT_EQ(table.size(), 80);
    for (const QByteArray& l : table) EXPECT_TRUE(l.startsWith("data &H")) << k << l.constData();
    if (k < 7) {
      EXPECT_EQ(lines.value(at + 81), "") << k;
    }
  }
  const qsizetype t3 = lines.indexOf("Bdata3:");
  EXPECT_EQ(lines[t3 + 1], "data &H80");
  EXPECT_EQ(lines[t3 + 2], "data &HB1");
  EXPECT_EQ(lines[t3 + 80], "data &H7");
  EXPECT_EQ(lines.size(), lines.indexOf("Bdata7:") + 81);
}

TEST(SignBasic, EachMotionWritesItsOwnLoop) {
  BasicInput in;
  in.shiftMs = "250";
  in.blinkCount = "3";
  in.blinkMs = "200";

  const char* write80 = "   GoSub Ldata\n   For I=1 To 80\n      Read a\n      Lcd Chr(a)\n   Next I\n";
  const char* blink =
      "   For I=1 To 3\n      Display off\n      Waitms 200\n      Display on\n      Waitms 200\n   Next I\n";

  in.motion = Motion::Hidari;
  EXPECT_EQ(body(in), split(R"(   Cls
   GoSub Ldata
   For I=1 To 80
      Read a
      Lcd Chr(a)
   next I
   For I=1 To 40
      shiftlcd left
      Waitms 250
   Next I
)"));

  in.motion = Motion::Migi;
  EXPECT_EQ(body(in), split(QByteArray(QByteArray("   Cls\n") + write80 +
                                       "   For I=1 To 40\n      shiftlcd right\n      Waitms 250\n   Next I\n")));

  in.motion = Motion::Stop;
  EXPECT_EQ(body(in), split(R"(   GoSub Ldata
   For I=1 To 16
      Read a
      Locate 1,I
      Lcd Chr(a)
   Next I
   For I=17 To 40
      Read a
   Next I
   For I=1 To 16
      Read a
      Locate 2,I
      Lcd Chr(a)
   Next I
   Waitms 1000
)"));

  const QByteArray left20 = "   For I=1 To 20\n      Shiftlcd Left\n      Waitms 250\n   Next I\n";
  const QByteArray right20 = "   For I=1 To 20\n      Shiftlcd right\n      Waitms 250\n   Next I\n";
  in.motion = Motion::BlinkHidari;
  EXPECT_EQ(body(in), split(QByteArray("   cls\n") + write80 + blink + left20 + blink + left20));
  in.motion = Motion::BlinkMigi;
  EXPECT_EQ(body(in), split(QByteArray("   cls\n") + write80 + blink + right20 + blink + right20));

  in.motion = Motion::Blink;
  EXPECT_EQ(body(in), split(R"(   cls
   GoSub Ldata
   For I=1 To 56
      Read a
      Lcd Chr(a)
   Next I
   Display off
   Waitms 200
   Display on
   Waitms 200
)"));

  in.motion = Motion::HidariStop;
  EXPECT_EQ(body(in), split(R"(   GoSub Ldata
   For I=1 To 40
      Read a
   Next I
   For I=1 To 16
      Read a
      Locate 2,I
      Lcd Chr(a)
   Next I
   For I=1 To 40
      K=0
      GoSub Ldata
      For J=1 To I
         K=K+1
         Read a
      Next J
      For J=1 To 40
         K=K+1
         If K=41 Then
            K=0
            GoSub Ldata
         End If
         Read a
         Locate 1,J
         Lcd Chr(a)
      Next J
      Waitms 250
   Next I
)"));

  in.motion = Motion::StopHidari;
  EXPECT_EQ(body(in), split(R"(   For I=1 To 40
      K=0
      GoSub Ldata
      For J=1 To 16
         Read a
         Locate 1,j
         Lcd Chr(a)
      Next J
      For J=17 To 40
         Read a
      Next J
      For J=1 To I
         K=K+1
         Read a
      Next J
      For J=1 To 40
         K=K+1
         If K=41 Then
            K=0
            GoSub Ldata
            For M=1 To 16
               Read a
            Next M
            For M=17 To 40
               Read a
            Next M
         End If
         Read a
         Locate 2,J
         Lcd Chr(a)
      Next J
      Waitms 250
   Next I
)"));

  // Only the first blink of 点滅→左 loses the blanks around the blink time.
  in.motion = Motion::BlinkHidari;
  in.blinkMs = "50 ";
  const QByteArrayList b = body(in);
  EXPECT_EQ(b.count("      Waitms 50"), 2);
  EXPECT_EQ(b.count("      Waitms 50 "), 2);
  in.motion = Motion::BlinkMigi;
  EXPECT_EQ(body(in).count("      Waitms 50 "), 4);
}
