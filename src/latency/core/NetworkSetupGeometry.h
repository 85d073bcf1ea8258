// SPDX-License-Identifier: MIT
// Placement rules of the network setup panel, free of any widget: the margin
// that keeps elements inside the panel, the grid new networks are put on, the
// limits of moving a network along the chain, the remove submenu's captions.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Parlamine {

// Elements stay this many pixels inside the panel's client area.
inline constexpr int SetupPanelMargin = 8;
// New networks go to the first free point of a 4 x 4 grid of this pitch.
inline constexpr int PlacementPitch = 60;
inline constexpr int PlacementGridSize = 4;

struct TElementPosition {
  int Left = 0;
  int Top = 0;
  bool operator==(const TElementPosition&) const = default;
};

// A coordinate of an element of the given size kept within the margins of a
// client extent: 8 .. extent - size - 8. The lower margin wins when the panel
// is too small for both.
int ClampToMargins(int coordinate, int extent, int elementSize);

// Where a dragged element goes: the pointer coordinate less the offset at
// which the element was grabbed, kept within the margins.
int ClampToPanel(int pointer, int grabOffset, int extent, int elementSize);

// The first grid point (row by row, each coordinate kept within the margins)
// that no element occupies exactly; empty when all sixteen are taken.
std::optional<TElementPosition> FreePlacement(const std::vector<TElementPosition>& taken, int clientWidth,
                                              int clientHeight, int elementSize);

// An element's coordinate after the panel shrank: pulled back to
// extent - size - 8 when beyond it (but not past the low margin on a panel
// too small for both), never moved the other way.
int PulledInside(int coordinate, int extent, int elementSize);

// Whether the element at chain index i (of count elements) may move; only
// networks move, and never past the first or last network.
bool CanMoveLeft(int index, int count);
bool CanMoveRight(int index, int count);

// Caption of remove-submenu entry k (from 0): "k+1.  hint".
std::string RemoveEntryCaption(int entry, const std::string& hint);

}  // namespace Parlamine
