#include "credits.h"

#include <QVBoxLayout>

#include "child.h"

namespace texel {

namespace {

constexpr const char* kCreditsText =
    "Texel Forge Beta v1.0 By Dremmwel\r\n"
    "\r\n"
    "After the full release of the game you can have your Face, Hair, Ball, Boot, Glove and "
    "Turf files in HD with Texel Forge v1.0.\r\n"
    "\r\n"
    "Programming & Research : Dremmwel\r\n"
    "\r\n"
    "Special Thanks To : Arlen Voss , Maris Tellen , Oskar Brandt\r\n"
    "\r\n"
    "All Rights Reserved (c) Dremmwel";

}  // namespace

Credits::Credits() {
  setObjectName("credits");
  setWindowTitle("Credits");
  Text1 = ui::Child<QPlainTextEdit>(this);
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  Text1->setPlainText(QString::fromLatin1(kCreditsText).replace("\r\n", "\n"));
  Text1->setAccessibleName("Credits");
  auto* layout = ui::Child<QVBoxLayout>(this);
  setLayout(layout);
  layout->addWidget(Text1);
  resize(420, 260);
}

}  // namespace texel
