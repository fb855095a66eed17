#include "core/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <string>

#include "core/errors.h"
#include "core/write_failure.h"

namespace kinopa {
namespace {
const char* const kMissing = QT_TRANSLATE_NOOP("kinopa", "The file %1 does not exist.");
const char* const kUnreadable = QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be read.");
}  // namespace

bool fileExists(const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); }

std::string readWholeFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    if (!file.exists())
      throw PlatformError("File", "Open", "no such file: " + path, {kMissing, path});
    throw PlatformError("File", "Open", file.errorString().toStdString() + ": " + path,
                        {kUnreadable, path});
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw PlatformError("File", "Input", file.errorString().toStdString() + ": " + path,
                        {kUnreadable, path});
  }
  return bytes.toStdString();
}

std::string utf8Text(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  (void)QString(utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
  if (!utf8.hasError()) return bytes;
  QStringDecoder cp932("windows-31j");
  if (!cp932.isValid()) throw PlatformError("Text", "Decode", "no code page 932 converter");
  const QString text = cp932(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return text.toStdString();
}

void replaceWholeFile(const std::string& path, const std::string& bytes) {
  QSaveFile file(QString::fromStdString(path));
  errno = 0;
  auto fail = [&](const char* operation, const std::string& why) {
    const int number = errno;  // of the call that failed, if it set one
    file.cancelWriting();      // the temporary file goes, the old file stays
    return PlatformError("File", operation, why + ": " + path, unwritableFile(path, number, why));
  };
  // Unbuffered, so that a write the disk cuts short shows in its count.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    throw fail("Open", file.errorString().toStdString());
  const auto size = static_cast<qint64>(bytes.size());
  const qint64 written = file.write(bytes.data(), size);
  if (written < 0) throw fail("Output", file.errorString().toStdString());
  if (written != size) {
    throw fail("Output", "only " + std::to_string(written) + " of " + std::to_string(size) +
                             " bytes could be written");
  }
  if (!file.commit()) throw fail("Close", file.errorString().toStdString());
}

std::vector<std::string> filesIn(const std::string& folder) {
  const QString path = QString::fromStdString(folder);
  const QFileInfo info(path);
  if (!info.isDir()) return {};
  if (!info.isReadable()) throw PlatformError("Folder", "List", "cannot read the folder " + folder);
  std::vector<std::string> names;
  for (const QString& name : QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::System))
    names.push_back(name.toStdString());
  return names;
}

void removeFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.remove())
    throw PlatformError("File", "Remove", file.errorString().toStdString() + ": " + path);
}

int removeSaveLeftovers(const std::string& folder, const std::vector<std::string>& names) {
  const QDir dir(QString::fromStdString(folder));
  int removed = 0;
  for (const std::string& name : names) {
    // QSaveFile's temporary name: the file's own name, a dot, six letters.
    const QRegularExpression leftover(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(QString::fromStdString(name)) +
                                            QStringLiteral("\\.[A-Za-z]{6}")));
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
      if (!leftover.match(entry).hasMatch()) continue;
      if (!QFile::remove(dir.filePath(entry)))
        throw PlatformError("File", "Remove", "cannot remove " + dir.filePath(entry).toStdString());
      ++removed;
    }
  }
  return removed;
}

}  // namespace kinopa
