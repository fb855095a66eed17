#include "qt/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QString>
#include <QTranslator>
#include <vector>

namespace kinopa {
namespace {
// Owned by the application, so they go with it.
std::vector<QPointer<QTranslator>> g_loaded;

bool install(const QString& file, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(file, folder) || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  g_loaded.emplace_back(translator);
  return true;
}

}  // namespace

std::string useLanguage(QLocale::Language language) {
  for (const QPointer<QTranslator>& t : g_loaded) {
    if (!t) continue;
    QCoreApplication::removeTranslator(t);
    delete t;
  }
  g_loaded.clear();
  if (language != QLocale::Japanese) return {};
  std::string missing;
  // Compiled into the program from translations/kinopa_ja.ts.
  if (!install(QStringLiteral("kinopa_ja.qm"), QStringLiteral(":/i18n")))
    missing = "the game's Japanese messages";
  // Qt's own, from Debian's qt6-translations-l10n.
  const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!install(QStringLiteral("qtbase_ja.qm"), qtFolder)) {
    missing += std::string(missing.empty() ? "" : " and ") + "Qt's Japanese texts (" +
               qtFolder.toStdString() + "/qtbase_ja.qm)";
  }
  return missing;
}

}  // namespace kinopa
