// SPDX-License-Identifier: MIT
// Geometric checks of a shown window: does every showing control's text fit
// the room its style gives it, and do showing controls stay clear of each
// other? Texts are measured with the font metrics of the control's own font
// against the rectangle the style draws them into, clipped by every parent,
// so a control pushed out of its page counts as cut too; so does a text
// shortened with an ellipsis.
#pragma once

#include <QString>
#include <vector>

class QTabBar;
class QWidget;

namespace ParlamineTest {

// One text that does not fit, or two controls that overlap.
struct TFitFailure {
  QString Control;  // the object name (or the class inside the nearest named parent)
  QString Text;     // the text that is cut, or the control it overlaps
  QString Problem;  // "cut", "overlaps"; for a tab bar also "hidden", "shows scroll arrows"

  QString ToString() const;
};

// Every showing text-bearing control under root whose text does not fit:
// labels and text boxes (a word-wrapped one against its height), push
// buttons, check boxes and radio buttons (beside their indicator), tool
// buttons that show text, combo boxes (the current and every item against
// the text field), line edits, group box titles, item view headers and the
// cells of their showing rows. Tab bars are measured by TabBarFailures.
std::vector<TFitFailure> CutTexts(const QWidget* root);

// Showing sibling controls under root whose rectangles overlap. The parts
// Qt builds a control from (scroll bars, a spin box's edit, a tab widget's
// stack) are not counted.
std::vector<TFitFailure> OverlappingControls(const QWidget* root);

// A tab bar that hides a showing tab (behind scroll arrows or past its
// edge), or a tab whose caption does not fit the tab less the style's
// padding.
std::vector<TFitFailure> TabBarFailures(const QTabBar* bar);

}  // namespace ParlamineTest
