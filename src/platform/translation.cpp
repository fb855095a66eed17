#include "platform/translation.h"

#include <QCoreApplication>
#include <QString>
#include <QTranslator>
#include <memory>

namespace kinopa {
namespace {
std::unique_ptr<QTranslator> g_loaded;
}

bool useLanguage(QLocale::Language language) {
  if (g_loaded) {
    QCoreApplication::removeTranslator(g_loaded.get());
    g_loaded.reset();
  }
  if (language != QLocale::Japanese) return true;
  auto translator = std::make_unique<QTranslator>();
  // Compiled into the program from translations/kinopa_ja.ts.
  if (!translator->load(QStringLiteral(":/i18n/kinopa_ja.qm"))) return false;
  if (!QCoreApplication::installTranslator(translator.get())) return false;
  g_loaded = std::move(translator);
  return true;
}

}  // namespace kinopa
