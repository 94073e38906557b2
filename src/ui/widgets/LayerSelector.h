#pragma once
// The layer selector of the windows that show one layer: a combo box (ComboBoxLayer) listing
// the layers as "%3d" texts 1..NL. A number typed into it is held to 1..NL, so it never
// chooses a layer outside the problem. It reports the chosen layer 0-based.

#include <QComboBox>

namespace planaq::ui {

class LayerSelector : public QComboBox {
  Q_OBJECT

 public:
  explicit LayerSelector(QWidget* parent = nullptr);
  // the items 1..NL, all shown in the drop-down list, the first selected
  void Fill(int NL);
  // the layer shown, 0-based
  int Layer() const { return currentIndex(); }

 signals:
  // the user chose a layer from the list or typed its number
  void LayerChosen(int layer);

 private:
  void TypedText();
};

}  // namespace planaq::ui
