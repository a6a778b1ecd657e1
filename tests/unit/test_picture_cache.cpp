// Decoded pictures are kept between loads: what a load returns must still be
// what the file on disk holds now, and drawing on a loaded picture must not
// change what the next load of the same file returns.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "data/picture.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

void save_solid(const std::string& path, int w, int h, QRgb c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  ASSERT_TRUE(img.save(QString::fromStdString(path), "BMP"));
}

// Puts the file's modification time back by an hour, as a file shipped long ago.
void age(const std::string& path) {
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  timespec times[2] = {st.st_atim, st.st_mtim};
  times[0].tv_sec -= 3600;
  times[1].tv_sec -= 3600;
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

}  // namespace

TEST(PictureCache, AFileChangedOnDiskIsReadAgain) {
  QTemporaryDir dir;
  const std::string p = dir.path().toStdString() + "/e1.bmp";
  QImage img;

  save_solid(p, 8, 8, qRgb(200, 0, 0));
  ASSERT_TRUE(load_picture(img, p));
  EXPECT_EQ(img.pixel(3, 3), qRgb(200, 0, 0));
  ASSERT_TRUE(load_picture(img, p));
  EXPECT_EQ(img.pixel(3, 3), qRgb(200, 0, 0));

  // Rewritten in place, same size, its time put back to what it was an hour
  // ago: still the new picture.
  save_solid(p, 8, 8, qRgb(0, 200, 0));
  age(p);
  ASSERT_TRUE(load_picture(img, p));
  EXPECT_EQ(img.pixel(3, 3), qRgb(0, 200, 0));

  // Replaced by another file (a new inode), of another size.
  const std::string other = dir.path().toStdString() + "/other.bmp";
  save_solid(other, 4, 6, qRgb(0, 0, 200));
  fs::rename(other, p);
  ASSERT_TRUE(load_picture(img, p));
  EXPECT_EQ(img.size(), QSize(4, 6));
  EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 200));

  // Gone: the load fails and leaves the picture as it was.
  fs::remove(p);
  EXPECT_FALSE(load_picture(img, p));
  EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 200));

  // Not a bitmap any more: fails too, and a good file afterwards loads.
  { std::ofstream(p) << "not a picture"; }
  EXPECT_FALSE(load_picture(img, p));
  save_solid(p, 8, 8, qRgb(9, 9, 9));
  ASSERT_TRUE(load_picture(img, p));
  EXPECT_EQ(img.pixel(0, 0), qRgb(9, 9, 9));
}

TEST(PictureCache, DrawingOnALoadedPictureLeavesTheNextLoadAlone) {
  // A fixture picture written at build time: old enough to be kept decoded.
  const std::string p = std::string(ZANDO_FIXTURES) + "/mini/cg/e0.bmp";
  ASSERT_TRUE(fs::exists(p));
  forget_loaded_pictures();
  QImage first, second, third;
  ASSERT_TRUE(load_picture(first, p));
  ASSERT_TRUE(load_picture(second, p));
  ASSERT_EQ(first, second);
  const QImage pristine = first.copy();

  // Every way the game draws on a buffer.
  fill_rect(first, {0, 0, 4, 4}, qRgb(1, 2, 3));
  stretch_copy(second, {0, 0, second.width(), second.height()}, second, {1, 1, 3, 3});
  fill_ellipse(second, {0, 0, 8, 8}, qRgb(4, 5, 6));
  hline(second, 0, 9, 2, qRgb(7, 8, 9));

  ASSERT_TRUE(load_picture(third, p));
  EXPECT_EQ(third, pristine);
  EXPECT_NE(first, pristine);
  EXPECT_NE(second, pristine);
}
