#include "maker_site.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

void OpenMakerSite() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerAddress))); }

}  // namespace ui
