// SPDX-License-Identifier: MIT
#include "FormPosition.h"

#include <algorithm>

#include "SettingsStore.h"

namespace Parlamine {

std::vector<uint8_t> PackFormPosition(const TFormPositionRecord& record) {
  TRecordWriter writer;
  writer.Int32(record.Left);
  writer.Int32(record.Top);
  writer.Int32(record.Right);
  writer.Int32(record.Bottom);
  writer.UInt8(static_cast<uint8_t>(record.WindowState));
  return writer.Bytes();
}

std::optional<TFormPositionRecord> UnpackFormPosition(const std::vector<uint8_t>& bytes) {
  if (bytes.size() != FormPositionRecordSize) return std::nullopt;
  TRecordReader reader(bytes);
  const uint8_t state = reader.UInt8(16);
  if (state > static_cast<uint8_t>(TWindowState::wsMaximized)) return std::nullopt;
  // An empty or inside-out rectangle cannot be a window the program saved.
  if (int64_t{reader.Int32(8)} <= reader.Int32(0) || int64_t{reader.Int32(12)} <= reader.Int32(4))
    return std::nullopt;
  return TFormPositionRecord{reader.Int32(0), reader.Int32(4), reader.Int32(8), reader.Int32(12),
                             static_cast<TWindowState>(state)};
}

TFormPositionRecord FitFormPosition(TFormPositionRecord r, int32_t screenWidth, int32_t screenHeight,
                                    TFrameMargins frame) {
  // 64-bit arithmetic: stored edges may be anything a damaged file holds.
  // The frame's far edges lie the margins beyond the client's size.
  const int64_t extraWidth = int64_t{frame.Left} + frame.Right;
  const int64_t extraHeight = int64_t{frame.Top} + frame.Bottom;
  int64_t left = r.Left, top = r.Top, right = r.Right, bottom = r.Bottom;
  if (right - left + extraWidth > screenWidth) right = left + std::max<int64_t>(1, screenWidth - extraWidth);
  if (bottom - top + extraHeight > screenHeight)
    bottom = top + std::max<int64_t>(1, screenHeight - extraHeight);
  const int64_t frameRight = right + extraWidth;
  const int64_t frameBottom = bottom + extraHeight;
  const int64_t dx = left < 0 ? -left : frameRight > screenWidth ? screenWidth - frameRight : 0;
  const int64_t dy = top < 0 ? -top : frameBottom > screenHeight ? screenHeight - frameBottom : 0;
  r.Left = static_cast<int32_t>(left + dx);
  r.Right = static_cast<int32_t>(right + dx);
  r.Top = static_cast<int32_t>(top + dy);
  r.Bottom = static_cast<int32_t>(bottom + dy);
  return r;
}

std::string FormPositionValueName(const std::string& valueName, const std::string& componentName) {
  if (!valueName.empty()) return valueName;
  if (!componentName.empty()) return componentName;
  return "CustomFormPosition";
}

}  // namespace Parlamine
