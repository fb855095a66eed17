#include "platform/translation.h"

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <QTranslator>

namespace kinopa {
namespace {
// Owned by the application, so it goes with it.
QPointer<QTranslator> g_loaded;
}  // namespace

bool useLanguage(QLocale::Language language) {
  if (g_loaded) {
    QCoreApplication::removeTranslator(g_loaded);
    delete g_loaded;
  }
  if (language != QLocale::Japanese) return true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  // Compiled into the program from translations/kinopa_ja.ts.
  if (!translator->load(QStringLiteral(":/i18n/kinopa_ja.qm")) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  g_loaded = translator;
  return true;
}

}  // namespace kinopa
