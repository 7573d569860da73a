#include "control/signboard/sign_basic.h"

#include "control/signboard/lcd_palette.h"

namespace signboard {

namespace {

using Lines = QList<QByteArray>;

void header(const BasicInput& in, Lines& out) {
  if (!in.mega168) {
    out << "$regfile=\"Attiny2313.dat\""
        << "Config Lcdpin=Pin,Db4=PortB.4,Db5=PortB.5,Db6=PortB.6,Db7=PortB.7,E=PortB.3,Rs=PortB.2"
        << "Config Lcd=16*2"
        << "Config Portd=Input"
        << "Portd=&B11111111";
  } else {
    out << "$regfile=\"m168def.dat\""
        << "Config Lcdpin=Pin,Db4=PortD.4,Db5=PortD.5,Db6=PortD.6,Db7=PortD.7,E=PortD.3,Rs=PortD.2"
        << "Config Lcd=16*2"
        << "Config PortC=Input"
        << "PortC=&B11111111";
  }
  out << (in.crystal12 ? "$crystal=12000000" : "$crystal=1000000");
  out << "Dim I As Integer" << "Dim J As Integer" << "Dim K As Integer" << "Dim M As Integer" << "Dim L As Integer"
      << "Dim A As Byte" << "Cursor Off" << "Cls";
  for (const QByteArray& glyph : in.glyphs) {
    if (!glyph.isEmpty()) out << "Deflcdchar " + glyph;
  }
  out << "Waitms 1000";
}

void write80(Lines& out, const char* next = "   Next I") {
  out << "   GoSub Ldata" << "   For I=1 To 80" << "      Read a" << "      Lcd Chr(a)" << next;
}

void shift40(const BasicInput& in, Lines& out, const QByteArray& d) {
  out << "   For I=1 To 40" << "      shiftlcd " + d << "      Waitms " + in.shiftMs << "   Next I";
}

void shift20(const BasicInput& in, Lines& out, const QByteArray& d) {
  out << "   For I=1 To 20" << "      Shiftlcd " + d << "      Waitms " + in.shiftMs << "   Next I";
}

void blink(const BasicInput& in, Lines& out, const QByteArray& t) {
  out << "   For I=1 To " + in.blinkCount << "      Display off" << "      Waitms " + t << "      Display on"
      << "      Waitms " + t << "   Next I";
}

void stopBody(Lines& out) {
  out << "   GoSub Ldata" << "   For I=1 To 16" << "      Read a" << "      Locate 1,I" << "      Lcd Chr(a)"
      << "   Next I" << "   For I=17 To 40" << "      Read a" << "   Next I" << "   For I=1 To 16" << "      Read a"
      << "      Locate 2,I" << "      Lcd Chr(a)" << "   Next I" << "   Waitms 1000";
}

void hidariStopBody(const BasicInput& in, Lines& out) {
  out << "   GoSub Ldata" << "   For I=1 To 40" << "      Read a" << "   Next I";
  out << "   For I=1 To 16" << "      Read a" << "      Locate 2,I" << "      Lcd Chr(a)" << "   Next I";
  out << "   For I=1 To 40" << "      K=0" << "      GoSub Ldata" << "      For J=1 To I" << "         K=K+1"
      << "         Read a" << "      Next J";
  out << "      For J=1 To 40" << "         K=K+1" << "         If K=41 Then" << "            K=0"
      << "            GoSub Ldata" << "         End If" << "         Read a" << "         Locate 1,J"
      << "         Lcd Chr(a)" << "      Next J";
  out << "      Waitms " + in.shiftMs << "   Next I";
}

void stopHidariBody(const BasicInput& in, Lines& out) {
  out << "   For I=1 To 40" << "      K=0" << "      GoSub Ldata";
  out << "      For J=1 To 16" << "         Read a" << "         Locate 1,j" << "         Lcd Chr(a)" << "      Next J"
      << "      For J=17 To 40" << "         Read a" << "      Next J";
  out << "      For J=1 To I" << "         K=K+1" << "         Read a" << "      Next J";
  out << "      For J=1 To 40" << "         K=K+1" << "         If K=41 Then" << "            K=0"
      << "            GoSub Ldata" << "            For M=1 To 16" << "               Read a" << "            Next M"
      << "            For M=17 To 40" << "               Read a" << "            Next M" << "         End If"
      << "         Read a" << "         Locate 2,J" << "         Lcd Chr(a)" << "      Next J";
  out << "      Waitms " + in.shiftMs << "   Next I";
}

void mainLoop(const BasicInput& in, Lines& out) {
  out << "" << "Do";
  switch (in.motion) {
    case Motion::Hidari:
      out << "   Cls";
      write80(out, "   next I");
      shift40(in, out, "left");
      break;
    case Motion::Stop: stopBody(out); break;
    case Motion::Migi:
      out << "   Cls";
      write80(out);
      shift40(in, out, "right");
      break;
    case Motion::BlinkHidari:
      out << "   cls";
      write80(out);
      blink(in, out, in.blinkMs.trimmed());
      shift20(in, out, "Left");
      blink(in, out, in.blinkMs);
      shift20(in, out, "Left");
      break;
    case Motion::Blink:
      out << "   cls" << "   GoSub Ldata" << "   For I=1 To 56" << "      Read a" << "      Lcd Chr(a)" << "   Next I"
          << "   Display off" << "   Waitms " + in.blinkMs << "   Display on" << "   Waitms " + in.blinkMs;
      break;
    case Motion::BlinkMigi:
      out << "   cls";
      write80(out);
      blink(in, out, in.blinkMs);
      shift20(in, out, "right");
      blink(in, out, in.blinkMs);
      shift20(in, out, "right");
      break;
    case Motion::HidariStop: hidariStopBody(in, out); break;
    case Motion::StopHidari: stopHidariBody(in, out); break;
  }
  out << "Loop";
}

void ldata(const BasicInput& in, Lines& out) {
  out << "End" << "" << "Ldata:" << "   l=0";
  out << "   If " + in.pins[0] + "=0 Then" << "      l=1" << "   End If";
  out << "   If " + in.pins[1] + "=0 Then" << "      l=l+2" << "   End If";
  out << "   If " + in.pins[2] + "=0 Then" << "      l=l+4" << "   End If";
  for (int k = 0; k < kConditions; ++k) {
    const QByteArray n = QByteArray::number(k);
    out << "   If l=" + n + " Then" << "      Restore Bdata" + n << "   End If";
  }
  out << "Return";
}

void tables(const BasicInput& in, Lines& out) {
  for (int k = 0; k < kConditions; ++k) {
    out << "" << "Bdata" + QByteArray::number(k) + ":";
    const QByteArray& message = in.messages[static_cast<size_t>(k)];
    for (int i = 1; i <= kCells; ++i) {
      // A text that no key carries still gives a line: every table keeps
      // its 80 values, so the cells after it stay in their places.
      const int key = findKey(messageCell(message, i));
      out << (key == 0 ? QByteArray("data &H80") : "data &H" + keyHex(key));
    }
  }
}

}  // namespace

QList<QByteArray> generateBasic(const BasicInput& input) {
  Lines out;
  header(input, out);
  mainLoop(input, out);
  ldata(input, out);
  tables(input, out);
  return out;
}

QByteArray basicFileBytes(const QList<QByteArray>& lines) {
  QByteArray bytes;
  for (const QByteArray& line : lines) bytes += line + "\r\n";
  return bytes + "\r\n";
}

}  // namespace signboard
