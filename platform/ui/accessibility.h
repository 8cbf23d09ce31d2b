// Accessible names for the controls of a window, so that a screen reader (or a test tool
// driving the window from outside) can name every control a sighted user sees.
#pragma once

#include <QLabel>
#include <QWidget>

namespace ui {

// `label` names `field`: Alt+mnemonic focus and the field's accessible name.
void LabelFor(QLabel* label, QWidget* field);

// `label` shows a picture, not text: NameControls names it by its group's caption.
void MarkPictureHolder(QLabel* label);

// Gives every control below `root` that has no accessible name yet the name a user would read:
// a field its label's caption (labels with a buddy), a button its caption, an image box (or a
// label marked as a picture holder), list or multi-line text its group's caption. Other labels
// get no name, so that a screen reader reads their current text.
void NameControls(QWidget* root);

// Lets assistive technology read an image box as a picture, and a clickable one as a button
// whose press clicks it. Every image box calls it before it can be asked for; once is enough.
void ProvideImageBoxAccess();

}  // namespace ui
