#include "app/picture_set.h"

#include "model/pieces.h"
#include "shell/constants.h"

namespace qz::app {

namespace {

// Stems of the pieces that have a promoted form, by unpromoted magnitude.
const char* PromotableStem(int magnitude) {
  switch (magnitude) {
    case HU: return "HU";
    case KYOU: return "KYOU";
    case KEI: return "KEI";
    case REI: return "REI";
    case GIN: return "GIN";
    case DOU: return "DOU";
    case KAKU: return "KAKU";
    case SYA: return "SYA";
    default: return nullptr;
  }
}

// Every code that has a picture on the board.
constexpr int kPieceMagnitudes[] = {10,  11,  20,  21,  30,  31,  40,  41,  100,
                                    101, 210, 211, 800, 801, 900, 901, 110, 950};

}  // namespace

QString PictureNameForCode(int code) {
  switch (code) {
    case EMPTY: return QStringLiteral("KARA_MASU");
    case TitleCode: return QStringLiteral("QZSHOGI");
    case MIDORI: return QStringLiteral("HAIKEI_MIDORI");
    case TATAMI: return QStringLiteral("HAIKEI_TATAMI");
    case TAKE: return QStringLiteral("HAIKEI_TAKE");
    case UCHU: return QStringLiteral("HAIKEI_UCHU");
    case RENGA: return QStringLiteral("HAIKEI_RENGA");
    default: break;
  }
  const int magnitude = Abs(code);
  const QString side = code < 0 ? QStringLiteral("SITA_") : QStringLiteral("UE_");
  if (magnitude == KIN) return side + "KIN";
  if (magnitude == OU) return side + "OU";
  const int base = magnitude - (magnitude % 10 == 1 ? 1 : 0);
  if (magnitude % 10 > 1) return {};
  const char* stem = PromotableStem(base);
  if (stem == nullptr) return {};
  return side + stem + (base == magnitude ? "_0" : "_1");
}

PictureSet::PictureSet(const QString& pictureDir) {
  auto load = [&](int code) {
    const QString name = PictureNameForCode(code);
    QImage image(pictureDir + "/" + name + ".png");
    if (!image.isNull()) byCode_[code] = image.convertToFormat(QImage::Format_RGB32);
  };
  for (int code = EMPTY; code <= RENGA; ++code) load(code);
  for (int magnitude : kPieceMagnitudes) {
    load(-magnitude);
    load(magnitude);
  }
  version_ = QImage(pictureDir + "/VERSION.png");
  if (!version_.isNull()) version_ = version_.convertToFormat(QImage::Format_RGB32);
}

const QImage& PictureSet::forCode(int code) const {
  auto it = byCode_.find(code);
  return it == byCode_.end() ? none_ : it->second;
}

}  // namespace qz::app
