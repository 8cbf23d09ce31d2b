// Starts the real window on an X server and saves a PNG of each tab and of the credits window
// into the folder given as the argument (run under xvfb-run by ctest).
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "game_files.h"
#include "main_form.h"
#include "model_files.h"
#include "packed_container.h"
#include "qt_dialog_service.h"
#include "scripted_dialog_service.h"
#include "tabs.h"

namespace fs = std::filesystem;

namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool Save(QWidget& widget, const fs::path& file) {
  Settle();
  const bool saved = widget.grab().save(QString::fromStdString(file.string()), "PNG");
  std::printf("%s %s\n", saved ? "saved" : "FAILED", file.string().c_str());
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: shell_screenshot <output folder>\n");
    return 2;
  }
  const char* programDir = std::getenv("TF_PROGRAM_DIR");
  if (programDir == nullptr) {
    std::fprintf(stderr, "TF_PROGRAM_DIR is not set\n");
    return 2;
  }
  const fs::path output = argv[1];
  fs::create_directories(output);

  // A copy of the program folder's data, so the shipped AppData stays as built.
  const fs::path program = fs::temp_directory_path() /
                           ("tf-screenshot-" + std::to_string(QCoreApplication::applicationPid()));
  fs::remove_all(program);
  fs::create_directories(program / "AppData");
  fs::copy(fs::path(programDir) / "AppData" / "cfg", program / "AppData" / "cfg",
           fs::copy_options::recursive);
  fs::copy(fs::path(programDir) / "pictures", program / "pictures", fs::copy_options::recursive);
  fs::copy_file(fs::path(programDir) / "Texel Forge.dll", program / "Texel Forge.dll");

  QApplication app(argc, argv);
  QApplication::setApplicationName(texel::kApplicationTitle);
  ui::ScriptedDialogService dialogs;
  bool ok = true;
  {
    texel::MainForm form(program, dialogs, texel::TexelForgeTabs());
    form.Load();
    form.show();
    for (int i = 0; i < form.TabControl1->count(); ++i) {
      form.TabControl1->setCurrentIndex(i);
      ok = Save(form, output / ("tab-" + std::to_string(i) + ".png")) && ok;
    }
    // Each tab with a synthetic game file opened: previews, types and sizes.
    const fs::path user = program / "user";
    fs::create_directories(user);
    fixtures::WriteFile(user / "face.bin", fixtures::Pack(fixtures::MakeFace().unpacked));
    fixtures::WriteFile(user / "hair.bin", fixtures::Pack(fixtures::MakeHair().bytes));
    fixtures::WriteFile(user / "truf.bin", fixtures::MakeTurf().bytes);
    fixtures::WriteFile(user / "ball.bin", fixtures::Pack(fixtures::MakeBall().unpacked));
    fixtures::WriteFile(user / "boot.bin", fixtures::Pack(fixtures::MakeBoot().unpacked));
    fixtures::WriteFile(user / "boot3d.bin", fixtures::Pack(fixtures::MakeBoot3d().unpacked));
    fixtures::WriteFile(user / "glove.bin", fixtures::Pack(fixtures::MakeGlove().unpacked));
    const struct {
      int tab;
      const char* file;
      const char* button;
    } opened[] = {{0, "face.bin", "cmdOpenFaceBin"},      {1, "hair.bin", "cmdHairOpen"},
                  {2, "ball.bin", "cmdOpenBallBin"},      {3, "boot.bin", "cmdOpenBootBin"},
                  {4, "boot3d.bin", "cmd_OpenBoot3dBin"}, {5, "glove.bin", "cmdOpenGLoveBin"},
                  {6, "truf.bin", "cmdOpenTruf"}};
    for (const auto& o : opened) {
      form.TabControl1->setCurrentIndex(o.tab);
      dialogs.ChooseFile(QString::fromStdString((user / o.file).string()));
      form.findChild<QPushButton*>(o.button)->click();
      ok = Save(form, output / ("opened-" + std::to_string(o.tab) + ".png")) && ok;
    }

    // A real error box and a real question, grabbed while they wait for their button.
    ui::QtDialogService boxes;
    boxes.SetOwner(&form);
    const auto grabModal = [&](const char* name) {
      QTimer::singleShot(300, [&, name] {
        if (QWidget* box = QApplication::activeModalWidget()) {
          ok = Save(*box, output / name) && ok;
          box->close();
        } else {
          ok = false;
        }
      });
    };
    // The error box of a real failing open, and the ball tab's refusal of an HD file.
    fixtures::WriteFile(user / "damaged.bin", fixtures::Bytes(64, 0x5A));
    fixtures::WriteFile(user / "ball-hd.bin", fixtures::Pack(fixtures::MakeHdBall()));
    const auto shownBy = [&](int tab, const char* file, const char* button) {
      form.TabControl1->setCurrentIndex(tab);
      dialogs.ChooseFile(QString::fromStdString((user / file).string()));
      form.findChild<QPushButton*>(button)->click();
      const ui::ShownMessage shown =
          dialogs.Messages().empty() ? ui::ShownMessage{} : dialogs.Messages().back();
      dialogs.Forget();
      return shown;
    };
    for (const auto& [name, shown] :
         {std::pair{"message-error.png", shownBy(0, "damaged.bin", "cmdOpenFaceBin")},
          std::pair{"message-already-hd.png", shownBy(2, "ball-hd.bin", "cmdOpenBallBin")}}) {
      grabModal(name);
      boxes.ShowMessage(shown.text, shown.style, shown.title);
    }
    grabModal("message-question.png");
    boxes.ShowMessage(texel::TwoLines("Works Finished Succesfully", "Do You Want Save ?"),
                      ui::kInformationYesNo, form.Caption());
    form.OnMnuCredits();
    ok = Save(*form.CreditsWindow(), output / "credits.png") && ok;
    form.close();
  }
  for (const auto& message : dialogs.Messages()) {
    std::fprintf(stderr, "message: %s\n", message.text.toStdString().c_str());
    ok = false;
  }
  fs::remove_all(program);
  return ok ? 0 : 1;
}
