// The handler guard's error box: the error icon, the window's caption, a first line saying what
// the user was doing, then the reason. Only this file knows the first line's wording, so that
// rewording it changes the tests in one place.
#pragma once

#include <gmock/gmock.h>

#include <QString>
#include <string>
#include <vector>

#include "qt_print.h"
#include "scripted_dialog_service.h"
#include "workbench.h"

namespace ui {
inline void PrintTo(const ShownMessage& shown, std::ostream* out) {
  *out << "{\"" << shown.text.toStdString() << "\", " << shown.style << ", \""
       << shown.title.toStdString() << "\"}";
}
}  // namespace ui

namespace testing_support {

inline std::string GuardFirstLine(const std::string& doing) { return doing + " could not finish."; }

// The whole text the guard shows for `handler` failing with `reason`.
inline QString GuardText(const std::string& handler, const std::string& reason) {
  return QString::fromStdString(GuardFirstLine(handler) + "\r\n" + reason);
}

// A guard text for `doing` whose reason holds every one of `reason` (the file named, what
// went wrong).
inline testing::Matcher<std::string> GuardError(const std::string& handler,
                                                const std::vector<std::string>& reason) {
  std::vector<testing::Matcher<std::string>> parts = {testing::StartsWith(GuardFirstLine(handler))};
  for (const std::string& part : reason) parts.push_back(testing::HasSubstr(part));
  return testing::AllOfArray(parts);
}

// A shown box (text, style, title) with the guard's icon and caption and a text that `text` takes.
template <typename Box>
testing::Matcher<const Box&> GuardBox(testing::Matcher<std::string> text) {
  return testing::AllOf(
      testing::Field("style", &Box::style, static_cast<int>(ui::kErrorOk)),
      testing::Field("title", &Box::title, QString(texel::kMainWindowCaption)),
      testing::Field("text", &Box::text,
                     testing::ResultOf([](const QString& t) { return t.toStdString(); }, text)));
}

// The guard's error box with GuardError's text.
template <typename Box>
testing::Matcher<const Box&> GuardErrorBox(const std::string& handler,
                                           const std::vector<std::string>& reason) {
  return GuardBox<Box>(GuardError(handler, reason));
}

// The box for a fault the work went on past: no first line saying anything could not finish.
template <typename Box>
testing::Matcher<const Box&> GuardWentOnBox(const std::vector<std::string>& reason) {
  std::vector<testing::Matcher<std::string>> parts = {
      testing::Not(testing::HasSubstr(GuardFirstLine("")))};
  for (const std::string& part : reason) parts.push_back(testing::HasSubstr(part));
  return GuardBox<Box>(testing::AllOfArray(parts));
}

}  // namespace testing_support
