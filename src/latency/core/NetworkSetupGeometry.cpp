// SPDX-License-Identifier: MIT
#include "NetworkSetupGeometry.h"

#include <algorithm>

namespace Parlamine {

int ClampToMargins(int coordinate, int extent, int elementSize) {
  if (coordinate < SetupPanelMargin) return SetupPanelMargin;
  const int limit = extent - elementSize - SetupPanelMargin;
  return coordinate > limit ? std::max(limit, SetupPanelMargin) : coordinate;
}

int ClampToPanel(int pointer, int grabOffset, int extent, int elementSize) {
  return ClampToMargins(pointer - grabOffset, extent, elementSize);
}

std::optional<TElementPosition> FreePlacement(const std::vector<TElementPosition>& taken, int clientWidth,
                                              int clientHeight, int elementSize) {
  for (int row = 1; row <= PlacementGridSize; ++row) {
    for (int column = 1; column <= PlacementGridSize; ++column) {
      const TElementPosition point{ClampToMargins(column * PlacementPitch, clientWidth, elementSize),
                                   ClampToMargins(row * PlacementPitch, clientHeight, elementSize)};
      if (std::find(taken.begin(), taken.end(), point) == taken.end()) return point;
    }
  }
  return std::nullopt;
}

int PulledInside(int coordinate, int extent, int elementSize) {
  const int limit = std::max(extent - elementSize - SetupPanelMargin, SetupPanelMargin);
  return coordinate > limit ? limit : coordinate;
}

bool CanMoveLeft(int index, int count) { return index >= 2 && index != count - 1; }

bool CanMoveRight(int index, int count) { return index != 0 && index < count - 2; }

std::string RemoveEntryCaption(int entry, const std::string& hint) {
  return std::to_string(entry + 1) + ".  " + hint;
}

}  // namespace Parlamine
