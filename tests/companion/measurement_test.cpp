#include "companion/correction_table.h"
#include "companion/measurement.h"
#include "companion/measurement_csv.h"
#include "platform/textfile.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace bremilo;

TEST(SampleBuffer, FiftiethValueShiftsAndSlotFiftyStaysEmpty) {
  SampleBuffer b;
  EXPECT_EQ(b.count(), 0);
  EXPECT_EQ(b.x(1), 1);
  for (int s = 1; s <= 50; ++s) EXPECT_EQ(b.y(s), -20);
  for (int v = 1; v <= 49; ++v) b.store(v, static_cast<quint32>(v * 100));
  EXPECT_EQ(b.count(), 49);
  EXPECT_EQ(b.y(1), 1);
  EXPECT_EQ(b.y(49), 49);
  b.store(50, 5000);
  EXPECT_EQ(b.count(), 49);
  EXPECT_EQ(b.y(1), 2);
  EXPECT_EQ(b.y(49), 50);
  EXPECT_EQ(b.y(50), -20);
  EXPECT_EQ(b.x(49), 49);
  // Times follow their values and count from the oldest one kept.
  EXPECT_EQ(b.elapsedMs(1), 0);
  EXPECT_EQ(b.elapsedMs(49), 4800);
  EXPECT_FALSE(b.elapsedMs(50));
  b.clear();
  EXPECT_EQ(b.count(), 0);
  EXPECT_EQ(b.y(1), -20);
  EXPECT_FALSE(b.elapsedMs(1));
}

TEST(SampleBuffer, ElapsedTimeAcrossTickWrap) {
  SampleBuffer b;
  b.store(1, 0xFFFFFF00u);
  b.store(2, 0x00000100u);
  EXPECT_EQ(b.elapsedMs(2), 0x200);
}

TEST(Thresholds, PortLevelsAreActiveLow) {
  EXPECT_EQ(thresholdPortLevel(30, 30, 60), 250);
  EXPECT_EQ(thresholdPortLevel(31, 30, 60), 249);
  EXPECT_EQ(thresholdPortLevel(60, 30, 60), 249);
  EXPECT_EQ(thresholdPortLevel(61, 30, 60), 245);
  EXPECT_EQ(thresholdPortLevel(0, 30, 60), 250);
  // Low above high: a value between them is above high only.
  EXPECT_EQ(thresholdPortLevel(50, 60, 30), 246);
}

TEST(GraphScale, LabelsAndPixelsAgreeForEveryStep) {
  GraphScale s;
  EXPECT_EQ(GraphScale::stepFromPosition(8), 2);
  EXPECT_EQ(GraphScale::stepFromPosition(0), 10);
  EXPECT_EQ(GraphScale::stepFromPosition(9), 1);
  EXPECT_EQ(s.middleValue(), 20);
  EXPECT_EQ(s.topValue(), 30);
  EXPECT_EQ(s.bottomValue(), 10);
  EXPECT_EQ(s.yOf(20), 100);
  EXPECT_EQ(s.yOf(30), 0);
  EXPECT_EQ(s.yOf(10), 200);
  EXPECT_EQ(s.yOf(21), 90);
  for (int offset : {0, 30, 80, 110}) {
    for (int k = 1; k <= 10; ++k) {
      const GraphScale g{offset, k};
      EXPECT_EQ(g.yOf(g.topValue()), 0) << offset << " " << k;
      EXPECT_EQ(g.yOf(g.middleValue()), 100) << offset << " " << k;
      EXPECT_EQ(g.yOf(g.bottomValue()), 200) << offset << " " << k;
    }
  }
  const GraphScale three{80, 3};
  EXPECT_EQ(three.topValue(), 35);
  EXPECT_EQ(three.yOf(21), 93);  // 6.67 pixels a unit
  const GraphScale ten{30, 10};
  EXPECT_EQ(ten.yOf(71), 98);
  // A value far off the scale lies outside the picture; drawing clips it.
  EXPECT_EQ(s.yOf(255), -2250);
  EXPECT_EQ(GraphScale::xOf(1), 0);
  EXPECT_EQ(GraphScale::xOf(49), 480);
  EXPECT_EQ(scaleStepText(2), "目盛間隔2");
  EXPECT_EQ(timeScaleText(500), "目盛間隔（1000m秒)　測定間隔（500m秒）");
}

TEST(GraphScale, SegmentsJoinNeighbouringSamplesOnly) {
  SampleBuffer b;
  const GraphScale s;
  EXPECT_TRUE(graphSegments(b, s).isEmpty());
  b.store(20, 0);
  EXPECT_TRUE(graphSegments(b, s).isEmpty());
  b.store(30, 1);
  b.store(10, 2);
  EXPECT_EQ(graphSegments(b, s), (QList<QLine>{QLine(0, 100, 10, 0), QLine(10, 0, 20, 200)}));
  for (int i = 0; i < 60; ++i) b.store(20, static_cast<quint32>(i));
  const auto full = graphSegments(b, s);
  ASSERT_EQ(full.size(), 48);
  EXPECT_EQ(full.last(), QLine(470, 100, 480, 100));
}

TEST(MeasurementCsv, LinesUseADotWhateverTheLocale) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(secondsText(0), "0");
  EXPECT_EQ(secondsText(500), "0.5");
  EXPECT_EQ(secondsText(100), "0.1");
  EXPECT_EQ(secondsText(1250), "1.25");
  EXPECT_EQ(secondsText(61007), "61.007");
  EXPECT_EQ(csvDataLine(3, 1500, 27), "3,1.5,27");
  EXPECT_EQ(csvDataLine(50, std::nullopt, -20), "50,,-20");
  EXPECT_EQ(csvHeaderLine(QDateTime(QDate(2026, 12, 9), QTime(9, 5, 3))), "読取日時 : 2026/12/09 9:05:03");

  SampleBuffer b;
  b.store(21, 1000);
  b.store(22, 2500);
  const QStringList lines = snapshotLines(b, QDateTime(QDate(2026, 1, 2), QTime(13, 0, 0)));
  ASSERT_EQ(lines.size(), 52);
  EXPECT_EQ(lines[0], "読取日時 : 2026/01/02 13:00:00");
  EXPECT_EQ(lines[1], "回,経過時間,温度");
  EXPECT_EQ(lines[2], "1,0,21");
  EXPECT_EQ(lines[3], "2,1.5,22");
  EXPECT_EQ(lines[4], "3,,-20");
  EXPECT_EQ(lines[51], "50,,-20");
  QLocale::setDefault(saved);
}

TEST(MeasurementCsv, ContinuousLogIsReadableAfterEveryLineAndStopsOnFailure) {
  QTemporaryDir dir;
  const QString path = dir.filePath("data4.csv");
  ContinuousLog log([] { return QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0)); });
  QString error;
  ASSERT_TRUE(log.start(path, &error));
  EXPECT_TRUE(log.isOn());
  ASSERT_TRUE(log.append(25, 10000, &error));
  // Flushed line by line: another reader sees the line at once.
  auto lines = platform::textfile::readLines(path);
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (QStringList{"読取日時 : 2026/12/09 10:00:00", "回,経過時間,温度", "1,0,25"}));
  ASSERT_TRUE(log.append(26, 11500, &error));
  ASSERT_TRUE(log.append(27, 13000, &error));
  EXPECT_EQ(log.count(), 3);
  log.stop();
  EXPECT_FALSE(log.isOn());
  EXPECT_FALSE(log.append(1, 1, &error));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.endsWith("2,1.5,26\r\n3,3,27\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 5);

  // Restarting overwrites the file and counts from 1 again.
  ASSERT_TRUE(log.start(path, &error));
  ASSERT_TRUE(log.append(30, 99999, &error));
  EXPECT_EQ(platform::textfile::readLines(path)->last(), "1,0,30");
  log.stop();

  // A folder that does not exist: one sentence naming the file, log stays off.
  EXPECT_FALSE(log.start(dir.filePath("missing/data4.csv"), &error));
  EXPECT_EQ(error, dir.filePath("missing/data4.csv") + "を開けません！（ファイルまたはフォルダがありません）");
  EXPECT_FALSE(log.isOn());

  // A log a teacher marked read-only stays as it is, even for root.
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
  EXPECT_FALSE(log.start(path, &error));
  EXPECT_EQ(error, path + "を開けません！（書き込む権限がありません）");
  EXPECT_EQ(platform::textfile::readLines(path)->last(), "1,0,30");
}

TEST(MeasurementCsv, TheLogRefusesWhatIsNotARegularFileWithoutWaiting) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath("data4.csv");
  const QString toDevice = dir.filePath("link.csv");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
  // With a reader at the other end, opening the FIFO to write would not wait.
  const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_EQ(::symlink("/dev/null", QFile::encodeName(toDevice).constData()), 0);
  ContinuousLog log([] { return QDateTime(QDate(2026, 1, 1), QTime(0, 0)); });
  for (const QString& path : {fifo, toDevice}) {
    QString error;
    EXPECT_FALSE(log.start(path, &error));
    EXPECT_EQ(error.toStdString(), (path + "を開けません！（通常のファイルではありません）").toStdString());
    EXPECT_FALSE(log.isOn());
  }
  ::close(reader);
}

TEST(CorrectionTable, LoadsHundredLinesAndShiftsBothWays) {
  CorrectionTable t;
  EXPECT_EQ(t.lines().size(), 100);
  EXPECT_EQ(t.entry(1), QByteArray());
  QList<QByteArray> lines;
  for (int i = 1; i <= 100; ++i) lines << QByteArray::number(i);
  t.load(lines);
  t.shiftUp();
  EXPECT_EQ(t.entry(1), "2");
  EXPECT_EQ(t.entry(98), "99");
  EXPECT_EQ(t.entry(99), "100");
  EXPECT_EQ(t.entry(100), "100");
  t.load(lines);
  t.shiftDown();
  EXPECT_EQ(t.entry(1), "1");
  EXPECT_EQ(t.entry(2), "1");
  EXPECT_EQ(t.entry(3), "2");
  EXPECT_EQ(t.entry(100), "99");
  EXPECT_EQ(t.lines().size(), 100);

  // A short file leaves the rest empty; a long one gives its first 100 lines;
  // bytes that are not text come back unchanged.
  t.load({"a", QByteArray("\x82\xa0"), QByteArray("\xff\xfe")});
  EXPECT_EQ(t.text(2), "あ");
  EXPECT_EQ(t.entry(3), QByteArray("\xff\xfe"));
  EXPECT_EQ(t.entry(4), QByteArray());
  lines << "extra";
  t.load(lines);
  EXPECT_EQ(t.entry(100), "100");
}
