// The game's bitmaps, loaded once from PNG files and looked up by picture
// code.
#pragma once

#include <QImage>
#include <QString>
#include <map>

namespace qz::app {

// File stem of the picture a code shows ("SITA_HU_0", "KARA_MASU",
// "HAIKEI_TATAMI", ...); empty for codes that draw nothing (-111, 111, ...).
QString PictureNameForCode(int code);

class PictureSet {
 public:
  // Loads every picture from dir/<NAME>.png; missing files are skipped.
  explicit PictureSet(const QString& pictureDir);

  // The picture of a code at natural size; a null image when there is none.
  const QImage& forCode(int code) const;
  // The version box's picture (null when missing).
  const QImage& version() const { return version_; }
  int loadedCount() const { return static_cast<int>(byCode_.size()); }

 private:
  std::map<int, QImage> byCode_;
  QImage version_;
  QImage none_;
};

}  // namespace qz::app
