#include "platform/board.h"

#include <algorithm>

namespace platform {

SimulatedBoard::SimulatedBoard(qsizetype logLimit) : logLimit_(std::max<qsizetype>(logLimit, 1)) {
  initAnswers_[QStringLiteral("#")] = 0;
}

void SimulatedBoard::record(Call call) {
  if (calls_.size() >= logLimit_) calls_.removeFirst();
  calls_.append(std::move(call));
}

int SimulatedBoard::UsbInit(const char* selector) {
  const QString sel = QString::fromLatin1(selector);
  auto it = initAnswers_.find(sel);
  const int answer = it == initAnswers_.end() ? -1 : it->second;
  if (answer >= 0) open_ = true;
  record({QStringLiteral("UsbInit"), sel, 0, 0, answer});
  return answer;
}

int SimulatedBoard::UsbExit() {
  open_ = false;
  record({QStringLiteral("UsbExit"), {}, 0, 0, 0});
  return 0;
}

int SimulatedBoard::PortAddress(const char* name) {
  const QString reg = QString::fromLatin1(name).toLower();
  int handle = 0;
  if (reg == QLatin1String("ddrb")) handle = kDdrb;
  else if (reg == QLatin1String("portb")) handle = kPortb;
  else if (reg == QLatin1String("pinb")) handle = kPinb;
  else if (reg == QLatin1String("pind")) handle = kPind;
  record({QStringLiteral("PortAddress"), reg, 0, 0, handle});
  return handle;
}

int SimulatedBoard::UsbPeek(int handle, int) {
  if (onPeek) onPeek();
  int value = kIdleByte;
  if (open_) {
    if (handle == kPinb) {
      if (pinbQueue_.empty() && frameSource_ && ddrb_ == 0x1F) queueFrame(frameSource_());
      if (!pinbQueue_.empty()) {
        pinb_ = pinbQueue_.front();
        pinbQueue_.pop_front();
      }
      value = pinb_;
    } else if (handle == kPind) {
      if (!pindQueue_.empty()) {
        pind_ = pindQueue_.front();
        pindQueue_.pop_front();
      }
      value = pind_;
    } else if (handle == kDdrb) {
      value = ddrb_;
    } else if (handle == kPortb) {
      value = portb_;
    }
  }
  record({QStringLiteral("UsbPeek"), registerName(handle), handle, 0, value});
  return value;
}

int SimulatedBoard::UsbPoke(int handle, int, int value, int) {
  value &= 0xFF;
  if (open_) {
    if (handle == kDdrb) ddrb_ = value;
    else if (handle == kPortb) portb_ = value;
  }
  record({QStringLiteral("UsbPoke"), registerName(handle), handle, value, 0});
  if (onChange) onChange();
  return 0;
}

void SimulatedBoard::queuePinb(const QList<int>& values) {
  for (int v : values) pinbQueue_.push_back(v & 0xFF);
}

void SimulatedBoard::queuePind(const QList<int>& values) {
  for (int v : values) pindQueue_.push_back(v & 0xFF);
}

void SimulatedBoard::queueFrame(int byte) {
  // Bit 5 marks the first level, bit 6 carries the data; the low bits count
  // up so that every level differs from the one before.
  for (int i = 0; i < 8; ++i) {
    const int bit = (byte >> (7 - i)) & 1;
    frameFiller_ = (frameFiller_ + 1) & 0x0F;
    int level = frameFiller_ | (bit ? 0x40 : 0);
    if (i == 0) level |= 0x20;
    pinbQueue_.push_back(level);
  }
}

QString SimulatedBoard::registerName(int handle) const {
  switch (handle) {
    case kDdrb: return QStringLiteral("DDRB");
    case kPortb: return QStringLiteral("PORTB");
    case kPinb: return QStringLiteral("PINB");
    case kPind: return QStringLiteral("PIND");
    default: return QStringLiteral("handle%1").arg(handle);
  }
}

QStringList SimulatedBoard::log() const {
  QStringList out;
  for (const Call& c : calls_) {
    if (c.op == QLatin1String("UsbInit")) out << QStringLiteral("UsbInit(%1)=%2").arg(c.text).arg(c.result);
    else if (c.op == QLatin1String("UsbExit")) out << QStringLiteral("UsbExit");
    else if (c.op == QLatin1String("PortAddress")) out << QStringLiteral("PortAddress(%1)").arg(c.text);
    else if (c.op == QLatin1String("UsbPeek")) out << c.text + QStringLiteral("?");
    else out << QStringLiteral("%1=%2").arg(c.text).arg(c.value);
  }
  return out;
}

QStringList SimulatedBoard::writes() const {
  QStringList out;
  for (const Call& c : calls_) {
    if (c.op == QLatin1String("UsbPoke")) out << QStringLiteral("%1=%2").arg(c.text).arg(c.value);
  }
  return out;
}

int BoardLink::detect() {
  int r = board_.UsbInit("#");
  Variant answered = Variant::HidaspxP;
  if (r == -1) {
    r = board_.UsbInit("*");
    answered = Variant::Hidaspx;
  }
  lastResult_ = r;
  if (r < 0) {
    variant_ = Variant::None;
    return r;
  }
  variant_ = answered;
  ddrb_adr = board_.PortAddress("ddrb");
  portb_adr = board_.PortAddress("portb");
  pinb_adr = board_.PortAddress("pinb");
  pind_adr = board_.PortAddress("pind");
  return r;
}

QString BoardLink::statusText() const {
  switch (variant_) {
    case Variant::HidaspxP: return QStringLiteral("HIDaspx-Pが接続されています!");
    case Variant::Hidaspx: return QStringLiteral("HIDaspxが接続されています!");
    case Variant::None: break;
  }
  return kLinkCaution;
}

void BoardLink::writePortB(int ddrbValue, int portbLevel) {
  poke(ddrb_adr, ddrbValue);
  poke(portb_adr, portbLevel);
}

}  // namespace platform
