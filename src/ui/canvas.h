// The drawing surface the portable painters draw on. The window implements it with GDI on the
// off-screen bitmap of each paint (ui/gdi); tests use a recording canvas with fixed text metrics.
#pragma once
#include <string>
#include <vector>

#include "ui/geometry.h"
#include "ui/theme.h"

namespace vx::ui {

// The four text formats: one line centred vertically (left-aligned or centred), one line cut with
// an ellipsis (optionally without '&' prefix handling), and word-wrapped text from the top.
enum class TextFormat { Left, Center, LeftEllipsis, LeftEllipsisNoPrefix, Wrap };

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Solid fill; radius is the full corner diameter in pixels, below 1 a plain rectangle.
  virtual void fillRounded(const Rect& rect, Color color, int radius) = 0;
  virtual void fillRoundedBordered(const Rect& rect, Color fill, Color border, int radius) = 0;
  // Transparent background.
  virtual void drawText(const std::wstring& text, const Rect& rect, Color color, TextFormat format, FontId font) = 0;
  // Height of the word-wrapped text in a column `width` pixels wide.
  virtual int measureTextHeight(const std::wstring& text, int width, FontId font) = 0;
  // Extent of the text as one line.
  virtual Size measureText(const std::wstring& text, FontId font) = 0;
  virtual void line(Point from, Point to, Color color, int width) = 0;
  virtual void polyline(const std::vector<Point>& points, Color color, int width) = 0;
  // An arc of the ellipse in `bounds`, counter-clockwise from startDegrees (0 = 3 o'clock).
  virtual void arc(const Rect& bounds, double startDegrees, double sweepDegrees, Color color, int width) = 0;
  // Vertical gradient from `top` at the top edge to `bottom` at the bottom edge.
  virtual void gradientV(const Rect& rect, Color top, Color bottom) = 0;
  // Limits drawing to the rectangle until clearClip().
  virtual void clipTo(const Rect& rect) = 0;
  virtual void clearClip() = 0;
};

}  // namespace vx::ui
