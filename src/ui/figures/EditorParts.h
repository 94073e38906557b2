#pragma once
// What the mesh window and the block editor share beyond the figure base: their place on the
// screen, the operation label on their top bar, and the mouse position in pixels.

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

namespace planaq::ui {

// the top bar that carries the keys, PanelXY and LabelOperation
constexpr int kEditorBarHeight = 30;

// the screen's width less 40 and its height less 80, at left 20, top 75: below the main
// window's toolbar, which stays in reach
inline QRect FigureFrame() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen ? screen->geometry().size() : QSize(1280, 1024);
  return QRect(20, 75, size.width() - 40, size.height() - 80);
}

inline void PlaceAsEditor(QWidget* window) { window->setGeometry(FigureFrame()); }

inline void ShowOperation(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
  label->show();
}

inline void HideOperation(QLabel* label) {
  label->clear();
  label->hide();
}

inline QPoint Pixel(const QMouseEvent* event) { return event->position().toPoint(); }

// At activation: the position fields and the operation label hidden at their places on the bar.
inline void ResetEditorBar(const QWidget* window, QWidget* panelXY, QLabel* operation) {
  panelXY->hide();
  panelXY->move(static_cast<int>(0.55 * window->width()), 0);
  operation->hide();
  operation->move(static_cast<int>(0.45 * window->width()), 7);
}

// At every drawing: the bar as wide as the window, the Help key at its right end.
inline void StretchEditorBar(const QWidget* window, QWidget* bar, QWidget* help) {
  bar->resize(window->width(), kEditorBarHeight);
  help->move(window->width() - help->width() - 1, help->y());
}

}  // namespace planaq::ui
