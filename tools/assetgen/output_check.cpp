#include "output_check.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QXmlStreamReader>
#include <cmath>
#include <cstdio>

#include "asset_manifest.h"
#include "wave_file.h"

namespace assetgen {

namespace {

int Problem(const QString& path, const char* what) {
  std::fprintf(stderr, "qz_assetgen: %s: %s\n", qPrintable(path), what);
  return 1;
}

int CheckPicture(const QString& outDir, const ExpectedPicture& e) {
  const QString path = outDir + QLatin1Char('/') + e.relativePath;
  QImageReader reader(path, "png");
  const QImage image = reader.read();
  if (image.isNull()) return Problem(e.relativePath, "missing or unreadable");
  if (image.width() != e.width || image.height() != e.height) {
    std::fprintf(stderr, "qz_assetgen: %s: %dx%d, expected %dx%d\n", qPrintable(e.relativePath),
                 image.width(), image.height(), e.width, e.height);
    return 1;
  }
  if (image.hasAlphaChannel() != e.hasAlpha) {
    return Problem(e.relativePath, e.hasAlpha ? "has no alpha channel" : "has an alpha channel");
  }
  return 0;
}

int CheckWave(const QString& outDir, const ExpectedWave& e) {
  const QString path = outDir + QLatin1Char('/') + e.relativePath;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Problem(e.relativePath, "missing");
  const QByteArray bytes = file.readAll();
  if (bytes.size() > e.maxBytes) return Problem(e.relativePath, "too large");
  WaveInfo info;
  if (!ParseWave(bytes.constData(), static_cast<std::size_t>(bytes.size()), info)) {
    return Problem(e.relativePath, "not a 16-bit PCM mono wave file");
  }
  const double seconds = static_cast<double>(info.sampleCount) / info.sampleRate;
  if (seconds < e.minSeconds || seconds > e.maxSeconds) {
    return Problem(e.relativePath, "length out of range");
  }
  if (e.barSamples > 0) {
    if (info.sampleCount % static_cast<std::size_t>(e.barSamples) != 0) {
      return Problem(e.relativePath, "not a whole number of bars");
    }
    // Both ends near zero, and the step from the last sample back to the first
    // no larger than a quiet passage's.
    const double first = SampleAt(bytes.constData(), info, 0);
    const double last = SampleAt(bytes.constData(), info, info.sampleCount - 1);
    if (std::abs(first) > 0.01 || std::abs(last) > 0.01 || std::abs(first - last) > 0.01) {
      return Problem(e.relativePath, "the loop does not join at a zero crossing");
    }
  }
  return 0;
}

// Well-formed XML with an <svg> root that draws something.
int CheckSvg(const QString& outDir, const QString& relativePath) {
  QFile file(outDir + QLatin1Char('/') + relativePath);
  if (!file.open(QIODevice::ReadOnly)) return Problem(relativePath, "missing");
  QXmlStreamReader xml(&file);
  int paths = 0;
  bool svgRoot = false;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QStringLiteral("svg")) svgRoot = true;
    if (xml.name() == QStringLiteral("path") && !xml.attributes().value("d").isEmpty()) ++paths;
  }
  if (xml.hasError() || !svgRoot || paths == 0) return Problem(relativePath, "not a usable SVG");
  return 0;
}

}  // namespace

int CheckOutput(const QString& outDir) {
  int problems = 0;
  for (const ExpectedPicture& e : ExpectedPictures()) problems += CheckPicture(outDir, e);
  for (const ExpectedWave& e : ExpectedWaves()) problems += CheckWave(outDir, e);
  problems += CheckSvg(outDir, ScalableIconPath());
  const QFileInfo help(outDir + QLatin1Char('/') + HelpPageName());
  if (!help.isFile() || help.size() < 2000) problems += Problem(HelpPageName(), "missing or short");
  return problems;
}

}  // namespace assetgen
