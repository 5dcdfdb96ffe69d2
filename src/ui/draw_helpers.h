// Small drawing pieces shared by the painters: a labelled button that registers its hit region,
// and decimal numbers with grouped thousands ("1 234 567").
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/ui_state.h"

namespace vx::ui {

// A row of fixed buttons in a table: label, fill colour and what a click on it does.
struct ButtonSpec {
  const wchar_t* label;
  Color color;
  HitKind kind;
};

// Rounded fill (radius 8 DIP), the label in the bold font, white, centred; registers `kind`.
void drawButton(Canvas& canvas, std::vector<HitRegion>& regions, const Rect& rect, const std::wstring& label,
                Color color, HitKind kind, int dpi);

std::wstring formatGrouped(std::uint64_t n);

}  // namespace vx::ui
