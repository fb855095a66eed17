// Reads back the pictures the asset generator drew for the build and checks
// what the game relies on: cells and transparency; and that the generator
// always draws the same bytes.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <string>
#include <vector>

namespace {

const QString kImages = QStringLiteral(KINOPA_IMAGES_DIR);
const QString kArt = QStringLiteral(KINOPA_ART_DIR);

constexpr QRgb kWhite = 0xffffffffu;

QImage load(const QString& dir, const QString& name) {
  QImageReader reader(QDir(dir).filePath(name));
  QImage image = reader.read();
  EXPECT_FALSE(image.isNull()) << name.toStdString() << ": " << reader.errorString().toStdString();
  return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isWhite(QRgb c) { return (c | 0xff000000u) == kWhite; }

// A pixel that is not white yet within a few levels of it: it would show as
// a pale speck instead of being transparent.
bool isNearWhite(QRgb c) {
  return !isWhite(c) && qRed(c) >= 245 && qGreen(c) >= 245 && qBlue(c) >= 245;
}

struct Sheet {
  const char* file;
  int cellW, cellH, columns, rows;
};
const Sheet kSheets[] = {
    {"zarup.bmp", 64, 55, 4, 1},
    {"melkit.bmp", 100, 40, 5, 2},
    {"tovrin.bmp", 84, 60, 4, 1},
};

QImage cellOf(const QImage& sheet, const Sheet& s, int c) {
  return sheet.copy((c % s.columns) * s.cellW, (c / s.columns) * s.cellH, s.cellW, s.cellH);
}

int drawnPixels(const QImage& cell) {
  int n = 0;
  for (int y = 0; y < cell.height(); ++y)
    for (int x = 0; x < cell.width(); ++x) n += !isWhite(cell.pixel(x, y));
  return n;
}

// True when every pixel on the cell's outer ring is white: the drawing keeps
// clear of the last column and row, which are never copied, and of the first.
bool ringIsWhite(const QImage& cell) {
  for (int x = 0; x < cell.width(); ++x)
    if (!isWhite(cell.pixel(x, 0)) || !isWhite(cell.pixel(x, cell.height() - 1))) return false;
  for (int y = 0; y < cell.height(); ++y)
    if (!isWhite(cell.pixel(0, y)) || !isWhite(cell.pixel(cell.width() - 1, y))) return false;
  return true;
}

// White pixels that cannot be reached from the cell's edge through white:
// holes in a sprite through which the sky would show.
int enclosedWhite(const QImage& cell) {
  const int w = cell.width(), h = cell.height();
  std::vector<bool> seen(std::size_t(w * h));
  std::deque<std::pair<int, int>> todo;
  const auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h || seen[std::size_t(y * w + x)]) return;
    if (!isWhite(cell.pixel(x, y))) return;
    seen[std::size_t(y * w + x)] = true;
    todo.emplace_back(x, y);
  };
  for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
  for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
  while (!todo.empty()) {
    const auto [x, y] = todo.front();
    todo.pop_front();
    visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
  }
  int holes = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) holes += isWhite(cell.pixel(x, y)) && !seen[std::size_t(y * w + x)];
  return holes;
}

int countNearWhite(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += isNearWhite(image.pixel(x, y));
  return n;
}

TEST(ImageAssets, EverySpriteCellIsDrawnInsideAWhiteSurround) {
  for (const Sheet& s : kSheets) {
    const QImage sheet = load(kImages, s.file);
    for (int c = 0; c < s.columns * s.rows; ++c) {
      SCOPED_TRACE(std::string(s.file) + " cell " + std::to_string(c));
      const QImage cell = cellOf(sheet, s, c);
      EXPECT_TRUE(ringIsWhite(cell));
      EXPECT_GT(drawnPixels(cell), s.cellW * s.cellH / 6) << "a sprite fills part of its cell";
      EXPECT_EQ(enclosedWhite(cell), 0) << "white inside a sprite would be see-through";
    }
    EXPECT_EQ(countNearWhite(sheet), 0) << s.file << ": pale pixels would fringe the sprites";
  }
}

// The popup slots: the areas the game copies, and the cells they lie in.
struct Slot {
  QRect copied;  // right and bottom exclusive, as the game gives them
  QRect cell;
};
const Slot kSlots[] = {
    {QRect(QPoint(0, 30), QPoint(98, 58)), QRect(0, 30, 100, 30)},
    {QRect(QPoint(100, 30), QPoint(198, 58)), QRect(100, 30, 100, 30)},
    {QRect(QPoint(0, 60), QPoint(98, 88)), QRect(0, 60, 100, 30)},
    {QRect(QPoint(100, 60), QPoint(198, 88)), QRect(100, 60, 100, 30)},
    {QRect(QPoint(0, 0), QPoint(48, 28)), QRect(0, 0, 50, 30)},
    {QRect(QPoint(50, 0), QPoint(99, 28)), QRect(50, 0, 50, 30)},
    {QRect(QPoint(100, 0), QPoint(198, 28)), QRect(100, 0, 100, 30)},
};

TEST(ImageAssets, PopupPicturesSitInTheirSlots) {
  const QImage text = load(kImages, "text.bmp");
  ASSERT_GE(text.width(), 200);
  ASSERT_GE(text.height(), 90);
  std::vector<QImage> pictures;
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE("slot " + std::to_string(i));
    const QImage cell = text.copy(kSlots[i].cell);
    EXPECT_TRUE(ringIsWhite(cell));
    EXPECT_GT(drawnPixels(cell), kSlots[i].copied.width() * kSlots[i].copied.height() / 8);
    pictures.push_back(text.copy(kSlots[i].copied));
  }
  for (int a = 0; a < 7; ++a) {
    for (int b = a + 1; b < 7; ++b) {
      if (pictures[a].size() == pictures[b].size()) {
        EXPECT_NE(pictures[a], pictures[b]) << "slots " << a << " and " << b;
      }
    }
  }
  EXPECT_EQ(countNearWhite(text), 0);
}

// The pictures and sounds drawn again come out byte for byte as the build's.
TEST(Assets, TheGeneratorDrawsTheSameBytesEveryRun) {
  QTemporaryDir dir;
  QProcess run;
  run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  run.start(QStringLiteral(KINOPA_BIN_DIR "/../tools/kinopa_assetgen"),
            {dir.filePath("images"), dir.filePath("wave"), dir.filePath("art")});
  ASSERT_TRUE(run.waitForFinished(180000)) << run.errorString().toStdString();
  ASSERT_EQ(run.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(run.exitCode(), 0);
  const std::pair<QString, QString> folders[] = {
      {"images", kImages}, {"art", kArt}, {"wave", QStringLiteral(KINOPA_WAVE_DIR)}};
  for (const auto& [name, built] : folders) {
    const QDir fresh(dir.filePath(name));
    ASSERT_FALSE(fresh.isEmpty()) << fresh.path().toStdString();
    for (const QString& file : fresh.entryList(QDir::Files)) {
      const QByteArray bytes = bytesOf(fresh.filePath(file));
      EXPECT_FALSE(bytes.isEmpty()) << file.toStdString();
      EXPECT_TRUE(bytes == bytesOf(QDir(built).filePath(file))) << file.toStdString() << " differs";
    }
  }
}

}  // namespace
