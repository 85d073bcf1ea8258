// SPDX-License-Identifier: MIT
// Reads a drawn bit map back from its pixels, for the tests of the
// calculators that paint one.
#pragma once

#include <QWidget>
#include <string>

namespace ParlamineTest {

// The sequence of colour runs a control shows from left to right, one letter
// per run: n network, s subnet, h host, g group, '.' separator and legend ink
// ("n.h" is network ink, then separator ink, then host ink). Only the default
// light palette's colours are told apart.
std::string BitMapColourRuns(QWidget* control);

}  // namespace ParlamineTest
