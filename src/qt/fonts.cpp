#include "qt/fonts.h"

#include <QStringList>

namespace kinopa {

void installFontSubstitutes() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             QStringList() << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic"));
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                             QStringList() << QStringLiteral("IPAPMincho") << QStringLiteral("IPAMincho"));
}

QFont layoutFont(const char* family, int pixels, bool bold) {
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace kinopa
