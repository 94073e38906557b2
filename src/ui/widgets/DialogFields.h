#pragma once
// What the small dialogs (Assign, Export Map, From Map) share: widgets named for the tests,
// and a typed real read as the grids read it.

#include <QLineEdit>
#include <QString>
#include <string>

#include "grids/CellValue.h"

namespace planaq::ui {

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// false, with the grids' message, when the field holds no real the problem may keep
inline bool ReadRealField(const QLineEdit* field, double& value, std::string& message) {
  const CellReal read = ReadCellReal(field->text().toStdString());
  if (!read.ok) message = read.message;
  value = read.value;
  return read.ok;
}

}  // namespace planaq::ui
