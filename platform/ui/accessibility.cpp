#include "accessibility.h"

#include <memory>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
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

// Asks the box each time: the interface is made once, maybe before the box is made clickable.
class ImageBoxAccess : public QAccessibleWidget {
 public:
  explicit ImageBoxAccess(ImageBox* box) : QAccessibleWidget(box, QAccessible::Graphic) {}

  QAccessible::Role role() const override {
    return Box()->IsClickable() ? QAccessible::Button : QAccessible::Graphic;
  }
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();  // the focus, when it takes it
    if (Box()->IsClickable()) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& action) override {
    if (action == pressAction() && Box()->IsClickable()) {
      Box()->Click();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  ImageBox* Box() const { return static_cast<ImageBox*>(widget()); }
};

QAccessibleInterface* ImageBoxAccessFor(const QString& /*className*/, QObject* object) {
  auto* box = qobject_cast<ImageBox*>(object);
  // Qt's interface cache owns what a factory returns.
  return box != nullptr ? std::make_unique<ImageBoxAccess>(box).release() : nullptr;
}

}  // namespace

void LabelFor(QLabel* label, QWidget* field) {
  label->setBuddy(field);
  field->setAccessibleName(Plain(label->text()));
}

void ProvideImageBoxAccess() {
  static const bool installed = (QAccessible::installFactory(&ImageBoxAccessFor), true);
  (void)installed;
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
