// The one guard every handler of the window runs under, and the one way a control's handler is
// connected to it: a failure becomes an error box in the user's words and the program goes on.
#pragma once

#include <exception>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAction>
#include <QObject>
#include <QString>
#include <QWidget>

#include "user_facing_failure.h"
#include "workbench.h"

namespace texel {

namespace fs = std::filesystem;

// What a user did, in the window's words: the tab, the control and its group, for example
// `Ball HD — "Open" (Open File)`; for a menu item its menu and caption.
QString ActionWords(const QWidget* control);
QString ActionWords(const QAction* item);

// Runs `body` with the wait cursor: any failure becomes an error box (error icon, the window
// caption) saying what the user was doing, then why in plain words, then the library call for
// a bug report where one failed.
void RunGuarded(Workbench& bench, const QString& doing, const std::function<void()>& body);

// Every time `sender` emits `signal`, its handler runs under the guard.
template <typename Sender, typename Signal>
void ConnectGuarded(Workbench& bench, Sender* sender, Signal signal,
                    std::function<void()> handler) {
  QObject::connect(sender, signal, sender, [&bench, sender, handler = std::move(handler)] {
    RunGuarded(bench, ActionWords(sender), handler);
  });
}

// A work file as the user knows it: the user's file it stands for and, where that file holds
// several textures, which one (`the texture "Bump"`).
struct UserWords {
  fs::path workFile;
  std::string userFile;
  std::string texture;
};

// `error` told with each work file replaced by the words the user knows it by; a reason that
// names none of them is said of the first one's user file.
UserFacingFailure InUsersWords(const std::exception& error, std::vector<UserWords> words);

}  // namespace texel
