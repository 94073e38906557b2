#pragma once
// The Assign dialog of the mesh window's Select key: the layer (or all layers), the quantity
// and its value(s), the half-width of a line's selection, Apply and Close. It takes the
// problem's layer count in and gives the assignment out; the mesh window selects, assigns and
// keeps the undo.

#include <QDialog>
#include <functional>
#include <string>

#include "mesh/SelectionAssign.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace planaq::ui {

class TFormAssign : public QDialog {
  Q_OBJECT

 public:
  // the quantities in the order of the quantity box
  enum Quantity {
    kGivenHead,
    kHeadAlongLine,
    kGivenSupply,
    kHead,
    kBottom,
    kTop,
    kTopOpen,
    kTopClosed,
    kExtraSupply,
    kSoil,
    kQuantities
  };

  explicit TFormAssign(QWidget* parent = nullptr);

  // at every new selection: the layers 1..NL and "All", the width field for a line only
  void Prepare(int NL, bool line, double width);
  // the assignment the fields describe, or the message that refuses a field
  Assignment Values(std::string& message) const;
  double Width(std::string& message) const;

  std::function<void(const Assignment&)> onApply;
  std::function<void(double)> onWidth;  // a new half-width typed (Enter or leaving the field)
  std::function<void(const std::string&)> onMessage;
  std::function<void()> onUndo;  // Ctrl+Z pressed in the dialog

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void QuantityChanged();
  void ApplyClicked();
  void WidthLeft();

  QComboBox* ComboBoxLayer = nullptr;
  QComboBox* ComboBoxQuantity = nullptr;
  QLabel* LabelValue = nullptr;
  QLineEdit* EditValue = nullptr;
  QLabel* LabelValue2 = nullptr;
  QLineEdit* EditValue2 = nullptr;
  QLabel* LabelWidth = nullptr;
  QLineEdit* EditWidth = nullptr;
  QPushButton* ButtonApply = nullptr;
  QPushButton* ButtonClose = nullptr;
  bool line_ = false;
};

}  // namespace planaq::ui
