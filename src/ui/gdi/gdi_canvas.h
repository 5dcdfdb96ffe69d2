// The Canvas on a GDI device context (the window's off-screen bitmap): brushes and pens are
// created and freed per call, text goes through DrawTextW with the window's fonts, gradients
// through GradientFill from msimg32 (loaded at run time from System32).
#pragma once
#include <windows.h>

#include "ui/canvas.h"
#include "ui/gdi/gdi_fonts.h"

namespace vx::ui::gdi {

class GdiCanvas final : public Canvas {
 public:
  GdiCanvas(HDC dc, const GdiFonts& fonts);

  void fillRounded(const Rect& rect, Color color, int radius) override;
  void fillRoundedBordered(const Rect& rect, Color fill, Color border, int radius) override;
  void drawText(const std::wstring& text, const Rect& rect, Color color, TextFormat format, FontId font) override;
  int measureTextHeight(const std::wstring& text, int width, FontId font) override;
  Size measureText(const std::wstring& text, FontId font) override;
  void line(Point from, Point to, Color color, int width) override;
  void polyline(const std::vector<Point>& points, Color color, int width) override;
  void arc(const Rect& bounds, double startDegrees, double sweepDegrees, Color color, int width) override;
  void gradientV(const Rect& rect, Color top, Color bottom) override;
  void clipTo(const Rect& rect) override;
  void clearClip() override;

 private:
  HDC dc_;
  const GdiFonts& fonts_;
};

COLORREF toColorRef(Color color);

}  // namespace vx::ui::gdi
