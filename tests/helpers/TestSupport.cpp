// SPDX-License-Identifier: MIT
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace ParlamineTest {

TMessageBoxScript::TMessageBoxScript(std::deque<QMessageBox::StandardButton> answers)
    : FAnswers(std::move(answers)) {
  FPrevious = Parlamine::SetMessageBoxHandler([this](const Parlamine::TMessageBoxRequest& request) {
    FShown.push_back(request);
    if (FAnswers.empty()) {
      ADD_FAILURE() << "unexpected message box: " << request.Caption.toStdString() << ": "
                    << request.Text.toStdString();
      if (request.DefaultButton != QMessageBox::NoButton) return request.DefaultButton;
      return QMessageBox::Ok;
    }
    const auto answer = FAnswers.front();
    FAnswers.pop_front();
    return answer;
  });
}

TMessageBoxScript::~TMessageBoxScript() { Parlamine::SetMessageBoxHandler(FPrevious); }

TBeepCounter::TBeepCounter() {
  FPrevious = Parlamine::SetBeepHandler([this] { ++FCount; });
}

TBeepCounter::~TBeepCounter() { Parlamine::SetBeepHandler(FPrevious); }

}  // namespace ParlamineTest
