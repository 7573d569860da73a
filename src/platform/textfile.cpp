#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>

#include <iconv.h>
#include <unistd.h>

namespace platform {

namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (valid()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t handle() const { return cd_; }

 private:
  iconv_t cd_;
};

// Converts one whole chunk; false when iconv refuses any byte of it.
bool convertChunk(iconv_t cd, const QByteArray& in, QByteArray& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.clear();
  if (in.isEmpty()) return true;
  QByteArray buffer(in.size() * 4 + 16, '\0');
  char* inPtr = const_cast<char*>(in.constData());
  size_t inLeft = static_cast<size_t>(in.size());
  char* outPtr = buffer.data();
  size_t outLeft = static_cast<size_t>(buffer.size());
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  out = buffer.left(buffer.size() - static_cast<qsizetype>(outLeft));
  return true;
}

}  // namespace

namespace cp932 {

std::optional<QByteArray> encode(const QString& text) {
  Iconv cv("CP932", "UTF-8");
  if (!cv.valid()) return std::nullopt;
  QByteArray out;
  if (!convertChunk(cv.handle(), text.toUtf8(), out)) return std::nullopt;
  return out;
}

std::optional<QChar> firstUnencodable(const QString& text) {
  Iconv cv("CP932", "UTF-8");
  QByteArray out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    if (!cv.valid() || !convertChunk(cv.handle(), text.mid(i, len).toUtf8(), out)) return text[i];
    i += len - 1;
  }
  return std::nullopt;
}

QString decode(const QByteArray& bytes) {
  Iconv cv("UTF-8", "CP932");
  QString result;
  if (!cv.valid()) return QString::fromLatin1(bytes);
  qsizetype pos = 0;
  QByteArray out;
  while (pos < bytes.size()) {
    // Decode the longest valid run; a byte iconv refuses becomes U+FFFD.
    const unsigned char c = static_cast<unsigned char>(bytes[pos]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    const qsizetype len = (lead && pos + 1 < bytes.size()) ? 2 : 1;
    if (convertChunk(cv.handle(), bytes.mid(pos, len), out) && !out.isEmpty()) {
      result += QString::fromUtf8(out);
      pos += len;
    } else {
      result += QChar(0xFFFD);
      pos += 1;
    }
  }
  return result;
}

}  // namespace cp932

QList<QByteArray> splitLines(const QByteArray& bytes) {
  QList<QByteArray> lines;
  QByteArray current;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.append(current);
      current.clear();
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      current.append(c);
    }
  }
  if (!current.isEmpty()) lines.append(current);
  return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines) {
  QByteArray out;
  for (const QByteArray& line : lines) {
    out.append(line);
    out.append("\r\n");
  }
  return out;
}

namespace textfile {

bool exists(const QString& path) { return QFileInfo(path).isFile(); }

std::optional<QList<QByteArray>> readRawLines(const QString& path, qint64 maxBytes) {
  const int fd = openRegularForReading(QFile::encodeName(path));
  QFile file;
  if (fd < 0) return std::nullopt;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return std::nullopt;
  }
  return splitLines(maxBytes < 0 ? file.readAll() : file.read(maxBytes));
}

std::optional<QStringList> readLines(const QString& path, qint64 maxBytes) {
  auto raw = readRawLines(path, maxBytes);
  if (!raw) return std::nullopt;
  QStringList lines;
  lines.reserve(raw->size());
  for (const QByteArray& line : *raw) lines.append(cp932::decode(line));
  return lines;
}

WriteResult writeRawLines(const QString& path, const QList<QByteArray>& lines) {
  return writeBytes(path, joinLines(lines));
}

WriteResult writeLines(const QString& path, const QStringList& lines) {
  QList<QByteArray> raw;
  raw.reserve(lines.size());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    auto bytes = cp932::encode(lines[i]);
    if (!bytes) {
      const auto bad = cp932::firstUnencodable(lines[i]);
      return {false, QStringLiteral("%1行目の文字「%2」はファイルに保存できません").arg(i + 1).arg(bad ? QString(*bad) : QString())};
    }
    raw.append(*bytes);
  }
  return writeRawLines(path, raw);
}

}  // namespace textfile

}  // namespace platform
