#pragma once
// What the tests that look at printed PDF pages share: running poppler's
// tools and finding where the ink lies on a rendered page.
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

namespace vetra::testing {

// The standard output of a poppler tool (pdfinfo, pdftoppm, ...).
inline QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished() || process.exitCode() != 0)
    qWarning("%s failed (poppler-utils installed?)", qPrintable(program));
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The smallest rectangle holding every dot of `area` darker than `threshold`.
inline QRect DarkBounds(const QImage& image, const QRect& area, int threshold) {
  QRect bounds;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.valid(x, y) && qGray(image.pixel(x, y)) < threshold) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

}  // namespace vetra::testing
