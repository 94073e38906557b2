#pragma once
// The layer selector of the windows that show one layer: a combo box (ComboBoxLayer) listing
// the layers as "%3d" texts 1..NL. A number typed into it is held to 1..NL, so it never
// chooses a layer outside the problem. It reports the chosen layer 0-based.

#include <QComboBox>

namespace planaq::ui {

// The current layer (0-based): one value, held by the main window and handed to every window
// that shows one layer. A window that changes it tells the others, which follow.
class SharedLayer : public QObject {
  Q_OBJECT

 public:
  int Value() const { return value_; }
  void Set(int layer) {
    if (layer == value_) return;
    value_ = layer;
    emit Changed(layer);
  }

 signals:
  void Changed(int layer);

 private:
  int value_ = 0;
};

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
