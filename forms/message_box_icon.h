#pragma once

#include "forms/message_box.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace forms {

/// Side of a message box icon in pixels.
constexpr int32_t kMessageIconSize = 32;

/// Draws a message box icon with its top-left corner at `at`. Information: a blue disc with a
/// dark blue rim (DrawEllipse of the 32 × 32 box) and a white "i" (dot: columns 14..17, rows
/// 6..9; stem: columns 14..17, rows 12..25). Exclamation: a yellow triangle, row r (0..29)
/// spanning columns 16 - (r + 2) / 2 .. 15 + (r + 2) / 2 at row r + 1, its two end pixels of
/// each row and its last row black, with a black "!" (bar: columns 15..16, rows 9..21; dot:
/// columns 15..16, rows 24..25). None draws nothing.
void DrawMessageIcon(platform::Surface& surface, platform::Point at, MessageBoxIcon icon);

}  // namespace forms
