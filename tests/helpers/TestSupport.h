// SPDX-License-Identifier: MIT
// Helpers for widget tests: scripted message-box answers and a temporary
// settings folder.
#pragma once

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <vector>

#include "ZellGlobal.h"

namespace ParlamineTest {

// The child of `parent` with that object name, or nothing with a test failure
// naming it: a renamed control fails the test that looks for it.
template <typename T>
T* FindNamed(const QObject* parent, const char* name) {
  T* child = parent->findChild<T*>(QLatin1String(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

// While alive, message boxes are recorded instead of shown. Each box takes
// the next scripted answer; a box with no answer left fails the test and is
// answered with its default button (or the first of its buttons).
class TMessageBoxScript {
 public:
  explicit TMessageBoxScript(std::deque<QMessageBox::StandardButton> answers = {});
  ~TMessageBoxScript();
  TMessageBoxScript(const TMessageBoxScript&) = delete;
  TMessageBoxScript& operator=(const TMessageBoxScript&) = delete;

  const std::vector<Parlamine::TMessageBoxRequest>& Shown() const { return FShown; }
  void Answer(QMessageBox::StandardButton answer) { FAnswers.push_back(answer); }

 private:
  std::deque<QMessageBox::StandardButton> FAnswers;
  std::vector<Parlamine::TMessageBoxRequest> FShown;
  Parlamine::TMessageBoxHandler FPrevious;
};

// Counts beeps while alive.
class TBeepCounter {
 public:
  TBeepCounter();
  ~TBeepCounter();
  int Count() const { return FCount; }

 private:
  int FCount = 0;
  Parlamine::TBeepHandler FPrevious;
};

// The folder that XDG_CONFIG_HOME points to for the whole test run.
QString TestConfigHome();

}  // namespace ParlamineTest
