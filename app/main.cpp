// Texel Forge: the main window is the program; it ends when its last window closes.
#include <QApplication>

#include "main_form.h"
#include "qt_dialog_service.h"
#include "tabs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(texel::kApplicationTitle);
  QApplication::setQuitOnLastWindowClosed(true);

  ui::QtDialogService dialogs;
  texel::MainForm form(QCoreApplication::applicationDirPath().toStdString(), dialogs,
                       texel::TexelForgeTabs());
  dialogs.SetOwner(&form);
  if (!form.Load()) return 1;
  form.show();
  return QApplication::exec();
}
