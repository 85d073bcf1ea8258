// SPDX-License-Identifier: MIT
// The stored window position record and the rules that fit it to the screen.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "RegistryTree.h"

namespace Parlamine {

enum class TWindowState : uint8_t { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// 17 bytes, little-endian, no padding: Left, Top, Right, Bottom (signed 32-bit)
// and the window state byte.
struct TFormPositionRecord {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  TWindowState WindowState = TWindowState::wsNormal;
  bool operator==(const TFormPositionRecord&) const = default;
};

inline constexpr size_t FormPositionRecordSize = 17;

std::vector<uint8_t> PackFormPosition(const TFormPositionRecord& record);
// Empty when the bytes are not exactly a record, the state byte is unknown or
// the rectangle is empty or inside out (a damaged record).
std::optional<TFormPositionRecord> UnpackFormPosition(const std::vector<uint8_t>& bytes);

// What the window manager's frame adds around the client area, in pixels.
struct TFrameMargins {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// Clips the rectangle to the screen size and moves it inside the screen:
// too wide or too high first shrinks it, then it is moved right/down when it
// starts before 0, or left/up when it ends beyond the screen. Left and Top
// are the frame's corner and the width and height the client area's, so the
// whole frame (client area plus margins) is what is kept on the screen.
TFormPositionRecord FitFormPosition(TFormPositionRecord record, int32_t screenWidth, int32_t screenHeight,
                                    TFrameMargins frame = {});

// The value name rule of the position helpers: the given name, else the
// window's component name, else "CustomFormPosition".
std::string FormPositionValueName(const std::string& valueName, const std::string& componentName);

}  // namespace Parlamine
