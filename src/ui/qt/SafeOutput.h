#pragma once
// PDF and PNG files through the program's one writer: Qt writes into the writer's temporary
// file (or into memory), and the file is put in place only when it was written whole.

#include <QImage>
#include <QPrinter>
#include <string>

#include "files/Outcome.h"
#include "files/SafeWrite.h"

namespace planaq {

class SafePdf {
 public:
  // Points the PDF printer at the temporary file beside path.
  SafePdf(QPrinter& printer, const std::string& path);
  // Empty while the target can be written; else the cause.
  const std::string& cause() const { return file_.cause(); }
  // Once the document has ended: a PDF that does not end as a PDF does (a full disk cut it)
  // is not put in place. The message is the cause.
  Outcome Finish();

 private:
  SafeFile file_;
};

// The image encoded as PNG, then written whole or not at all.
Outcome SavePng(const QImage& image, const std::string& path);

}  // namespace planaq
