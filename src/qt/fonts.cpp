#include "qt/fonts.h"

#include <QStringList>
#include <cmath>

namespace kinopa {

void installFontSubstitutes() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             QStringList() << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic"));
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                             QStringList() << QStringLiteral("IPAPMincho") << QStringLiteral("IPAMincho"));
}

QFont layoutFont(const char* family, double points, bool bold) {
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  font.setBold(bold);
  return font;
}

}  // namespace kinopa
