// The credits window: a fixed text, shown modeless and without an owner.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace texel {

class Credits : public QWidget {
 public:
  Credits();
  QPlainTextEdit* Text1;
};

}  // namespace texel
