#include "ui/qt/SafeOutput.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>

namespace planaq {
namespace {

// Every PDF ends with its end-of-file marker; a document cut short by the disk lacks it.
bool EndsAsPdf(const std::string& path) {
  QFile file(QString::fromLocal8Bit(path.c_str()));
  if (!file.open(QIODevice::ReadOnly) || file.size() < 16) return false;
  file.seek(file.size() - 16);
  return file.read(16).contains("%%EOF");
}

}  // namespace

SafePdf::SafePdf(QPrinter& printer, const std::string& path) : file_(path) {
  printer.setOutputFileName(file_.ok() ? QString::fromLocal8Bit(file_.temporary().c_str())
                                       : QString());
}

Outcome SafePdf::Finish() {
  if (!file_.ok()) return Outcome::Fail(file_.cause());
  if (!EndsAsPdf(file_.temporary()))
    return Outcome::Fail("cannot write " + file_.target() + ": the document was cut short");
  if (!file_.Commit()) return Outcome::Fail(file_.cause());
  return Outcome{};
}

Outcome SavePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG"))
    return Outcome::Fail("cannot write " + path + ": the picture could not be encoded");
  return WriteFileSafely(path,
                         std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace planaq
