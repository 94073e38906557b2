#include "ui/widgets/LayerSelector.h"

#include <QLineEdit>
#include <algorithm>

#include "files/Tokens.h"

namespace planaq::ui {

LayerSelector::LayerSelector(QWidget* parent) : QComboBox(parent) {
  setObjectName(QStringLiteral("ComboBoxLayer"));
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  connect(this, &QComboBox::activated, this, [this](int index) { emit LayerChosen(index); });
  connect(lineEdit(), &QLineEdit::returnPressed, this, [this] { TypedText(); });
}

void LayerSelector::Fill(int NL) {
  const QSignalBlocker quiet(this);
  clear();
  for (int l = 1; l <= NL; ++l) addItem(QString::asprintf("%3d", l));
  setMaxVisibleItems(std::max(NL, 1));
  setCurrentIndex(0);
}

void LayerSelector::TypedText() {
  if (count() == 0) return;
  const int layer = SelectedLayer(currentText().toStdString(), count());
  setCurrentIndex(layer);
  setEditText(itemText(layer));
  emit LayerChosen(layer);
}

}  // namespace planaq::ui
