#pragma once
// What the small dialogs (Assign, Export Map, From Map) share: widgets named for the tests,
// a typed real read as the grids read it, and the core's messages as sentences.

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
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

// A message of the core, which starts in lower case to follow "planaq-cli: ", as a sentence.
inline std::string AsSentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

// The tip of a map dialog's "Remember" box: why it cannot be ticked before there is a datafile.
inline QString RememberTip(bool canRemember) {
  return canRemember ? QStringLiteral("Kept in NAME.aqd.geo beside the datafile")
                     : QStringLiteral("Open or save a datafile first: it is kept beside it");
}

// The row of keys at the foot of a dialog: the action key (named nameAct) and Close; neither
// is pressed by Enter in a field.
struct DialogKeys {
  QPushButton* act;
  QPushButton* close;
};
inline DialogKeys AddDialogKeys(QFormLayout* form, QWidget* dialog, const QString& act,
                                const char* nameAct) {
  DialogKeys keys{Named(new QPushButton(act, dialog), nameAct),
                  Named(new QPushButton(QStringLiteral("Close"), dialog), "ButtonClose")};
  keys.act->setAutoDefault(false);
  keys.close->setAutoDefault(false);
  auto* row = new QHBoxLayout;
  row->addWidget(keys.act);
  row->addWidget(keys.close);
  form->addRow(row);
  return keys;
}

}  // namespace planaq::ui
