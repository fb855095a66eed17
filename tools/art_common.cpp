#include "art_common.h"

namespace kinopa::art {

QImage whiteSheet(int width, int height) {
  QImage sheet(width, height, QImage::Format_RGB32);
  sheet.fill(kSheetWhite);
  return sheet;
}

void makeCrisp(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void fillShape(QPainter& painter, const QPainterPath& path, QColor fill, QColor line) {
  painter.setBrush(fill);
  if (line.isValid()) {
    painter.setPen(QPen(line, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  } else {
    painter.setPen(Qt::NoPen);
  }
  painter.drawPath(path);
}

void fillEllipse(QPainter& painter, const QRectF& box, QColor fill, QColor line) {
  QPainterPath path;
  path.addEllipse(box);
  fillShape(painter, path, fill, line);
}

void strokePath(QPainter& painter, const QPainterPath& path, QColor colour, qreal width) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(path);
}

void sparkle(QPainter& painter, int x, int y, int arm, QColor colour) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawRect(x - arm, y, 2 * arm + 1, 1);
  painter.drawRect(x, y - arm, 1, 2 * arm + 1);
  if (arm >= 3) painter.drawRect(x - 1, y - 1, 3, 3);
}

void placeCell(QImage& sheet, const QImage& cell, QPoint at) {
  QPainter painter(&sheet);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(at, cell);
}

QImage mirroredCell(const QImage& cell) { return cell.mirrored(true, false); }

}  // namespace kinopa::art
