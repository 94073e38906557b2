#pragma once
// The cell editor of both grid kinds hands Enter and the lowercase c to its grid, which stores
// the text and moves on. Grid has CopyKeyApplies(), EnterKey() and CopyKey().

#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace planaq::ui {

template <class Grid>
class GridKeysDelegate : public QStyledItemDelegate {
 public:
  explicit GridKeysDelegate(Grid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      const bool copy = key->text() == QStringLiteral("c") && grid_->CopyKeyApplies();
      if (enter || copy) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (enter)
          grid_->EnterKey();
        else
          grid_->CopyKey();
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

  Grid* grid_;
};

}  // namespace planaq::ui
