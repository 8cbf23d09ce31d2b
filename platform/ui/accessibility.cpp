#include "accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "image_box.h"

namespace ui {

namespace {

constexpr const char* kPictureHolder = "pictureHolder";

QString Plain(QString caption) { return caption.remove('&'); }

QString GroupCaption(const QWidget* widget) {
  for (const QWidget* w = widget->parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
      if (!group->title().isEmpty()) return group->title();
    }
  }
  return {};
}

void NameIfUnnamed(QWidget* widget, const QString& name) {
  if (widget->accessibleName().isEmpty() && !name.isEmpty()) widget->setAccessibleName(name);
}

}  // namespace

void LabelFor(QLabel* label, QWidget* field) {
  label->setBuddy(field);
  field->setAccessibleName(Plain(label->text()));
}

void MarkPictureHolder(QLabel* label) { label->setProperty(kPictureHolder, true); }

void NameControls(QWidget* root) {
  for (QLabel* label : root->findChildren<QLabel*>()) {
    if (label->buddy() != nullptr) NameIfUnnamed(label->buddy(), Plain(label->text()));
  }
  for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
    NameIfUnnamed(button, Plain(button->text()));
  }
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    // A label empty now may show a value later: only a marked picture holder takes a name.
    const bool picture =
        qobject_cast<QLabel*>(widget) != nullptr && widget->property(kPictureHolder).toBool();
    const bool byGroup = picture || qobject_cast<ImageBox*>(widget) != nullptr ||
                         qobject_cast<QAbstractItemView*>(widget) != nullptr ||
                         qobject_cast<QPlainTextEdit*>(widget) != nullptr ||
                         qobject_cast<QTextEdit*>(widget) != nullptr ||
                         qobject_cast<QLineEdit*>(widget) != nullptr;
    if (byGroup) NameIfUnnamed(widget, GroupCaption(widget));
  }
}

}  // namespace ui
