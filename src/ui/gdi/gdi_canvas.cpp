#include "ui/gdi/gdi_canvas.h"

#include <cmath>

#include "platform/win32/native_api.h"
#include "ui/gdi/gdi_objects.h"

namespace vx::ui::gdi {

namespace {

RECT toRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

UINT formatFlags(TextFormat format) {
  switch (format) {
    case TextFormat::Left: return DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    case TextFormat::Center: return DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    case TextFormat::LeftEllipsis: return DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS;
    case TextFormat::LeftEllipsisNoPrefix: return DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX;
    case TextFormat::Wrap: break;
  }
  return DT_WORDBREAK;
}

COLOR16 channel(std::uint8_t value) { return static_cast<COLOR16>(value << 8); }

}  // namespace

COLORREF toColorRef(Color c) { return RGB(c.r, c.g, c.b); }

GdiCanvas::GdiCanvas(HDC dc, const GdiFonts& fonts) : dc_(dc), fonts_(fonts) {}

void GdiCanvas::fillRounded(const Rect& rect, Color color, int radius) {
  fillRoundedBordered(rect, color, color, radius);
}

void GdiCanvas::fillRoundedBordered(const Rect& rect, Color fill, Color border, int radius) {
  UniqueBrush brush(CreateSolidBrush(toColorRef(fill)));
  if (radius < 1 && fill == border) {
    const RECT r = toRect(rect);
    FillRect(dc_, &r, brush.get());
    return;
  }
  UniquePen pen(CreatePen(PS_SOLID, 1, toColorRef(border)));
  SelectedObject selectBrush(dc_, brush.get());
  SelectedObject selectPen(dc_, pen.get());
  if (radius < 1)
    Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
  else
    RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, radius, radius);
}

void GdiCanvas::drawText(const std::wstring& text, const Rect& rect, Color color, TextFormat format, FontId font) {
  SelectedObject selectFont(dc_, fonts_.get(font));
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, toColorRef(color));
  RECT r = toRect(rect);
  DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, formatFlags(format));
}

int GdiCanvas::measureTextHeight(const std::wstring& text, int width, FontId font) {
  SelectedObject selectFont(dc_, fonts_.get(font));
  RECT r{0, 0, width, 10000};
  DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
  return r.bottom - r.top;
}

Size GdiCanvas::measureText(const std::wstring& text, FontId font) {
  SelectedObject selectFont(dc_, fonts_.get(font));
  RECT r{0, 0, 0, 0};
  DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return {r.right - r.left, r.bottom - r.top};
}

void GdiCanvas::line(Point from, Point to, Color color, int width) { polyline({from, to}, color, width); }

void GdiCanvas::polyline(const std::vector<Point>& points, Color color, int width) {
  if (points.size() < 2) return;
  UniquePen pen(CreatePen(PS_SOLID, width, toColorRef(color)));
  SelectedObject selectPen(dc_, pen.get());
  std::vector<POINT> gdiPoints;
  gdiPoints.reserve(points.size());
  for (const Point& p : points) gdiPoints.push_back(POINT{p.x, p.y});
  Polyline(dc_, gdiPoints.data(), static_cast<int>(gdiPoints.size()));
}

void GdiCanvas::arc(const Rect& b, double startDegrees, double sweepDegrees, Color color, int width) {
  if (sweepDegrees == 0) return;
  UniquePen pen(CreatePen(PS_SOLID, width, toColorRef(color)));
  SelectedObject selectPen(dc_, pen.get());
  const double cx = (b.left + b.right) / 2.0, cy = (b.top + b.bottom) / 2.0;
  const double rx = b.width() / 2.0, ry = b.height() / 2.0;
  auto at = [&](double degrees) {
    const double a = degrees * 3.14159265358979323846 / 180.0;
    return POINT{static_cast<LONG>(std::lround(cx + rx * std::cos(a))), static_cast<LONG>(std::lround(cy - ry * std::sin(a)))};
  };
  const POINT from = at(startDegrees), to = at(startDegrees + sweepDegrees);
  const int previous = SetArcDirection(dc_, sweepDegrees > 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
  Arc(dc_, b.left, b.top, b.right, b.bottom, from.x, from.y, to.x, to.y);
  SetArcDirection(dc_, previous);
}

void GdiCanvas::gradientV(const Rect& rect, Color top, Color bottom) {
  static const auto gradientFill = win32::nativeFunction(win32::native::kGradientFill);
  if (gradientFill) {
    TRIVERTEX vertices[2] = {
        {rect.left, rect.top, channel(top.r), channel(top.g), channel(top.b), 0},
        {rect.right, rect.bottom, channel(bottom.r), channel(bottom.g), channel(bottom.b), 0},
    };
    GRADIENT_RECT span{0, 1};
    if (gradientFill(dc_, vertices, 2, &span, 1, GRADIENT_FILL_RECT_V)) return;
  }
  // Without msimg32: bands of the interpolated colour.
  const int bands = 32, height = rect.height();
  for (int i = 0; i < bands && height > 0; ++i) {
    auto mix = [&](std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>(a + (b - a) * i / (bands - 1)); };
    const Rect band{rect.left, rect.top + height * i / bands, rect.right, rect.top + height * (i + 1) / bands};
    fillRounded(band, Color{mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b)}, 0);
  }
}

void GdiCanvas::clipTo(const Rect& rect) { IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom); }

void GdiCanvas::clearClip() { SelectClipRgn(dc_, nullptr); }

}  // namespace vx::ui::gdi
