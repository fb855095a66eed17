#include "platform/text_file.h"

#include <QFile>
#include <QSaveFile>

#include <string>

#include "platform/errors.h"

namespace kinopa {
namespace {
const char* const kMissing = QT_TRANSLATE_NOOP("kinopa", "The file %1 does not exist.");
const char* const kUnreadable = QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be read.");
}  // namespace

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

void replaceWholeFile(const std::string& path, const std::string& bytes) {
  QSaveFile file(QString::fromStdString(path));
  auto fail = [&](const char* operation, const std::string& why) {
    file.cancelWriting();  // the temporary file goes, the old file stays
    return PlatformError("File", operation, why + ": " + path,
                         {QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be written."), path});
  };
  // Unbuffered, so that a write the disk cuts short shows in its count.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    throw fail("Open", file.errorString().toStdString());
  const auto size = static_cast<qint64>(bytes.size());
  const qint64 written = file.write(bytes.data(), size);
  if (written < 0) throw fail("Output", file.errorString().toStdString());
  if (written != size) {
    throw fail("Output", "only " + std::to_string(written) + " of " + std::to_string(size) +
                             " bytes could be written (is the disk full?)");
  }
  if (!file.commit()) throw fail("Close", file.errorString().toStdString());
}

}  // namespace kinopa
