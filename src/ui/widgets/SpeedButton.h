#pragma once
// A speed button: a flat tool button with its hint that never takes the focus, so a grid
// keeps its cell editor while the button is used.

#include <QToolButton>

namespace planaq::ui {

QToolButton* MakeSpeedButton(QWidget* parent, const char* name, const char* hint,
                             const QString& glyph);

}  // namespace planaq::ui
