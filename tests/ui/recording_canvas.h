// A Canvas for the UI tests: records every call and measures text with fixed metrics (every
// character 7 px wide, every line 16 px high, wrapping at whole characters), so layouts and
// heights are predictable.
#pragma once
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace vx::test {

struct DrawCall {
  enum Kind { Fill, Text, Line, Polyline, Arc, Gradient, Clip, Unclip } kind;
  ui::Rect rect;
  ui::Color color;
  ui::Color border;
  std::wstring text;
  ui::TextFormat format = ui::TextFormat::Left;
  ui::FontId font = ui::FontId::Body;
  double start = 0;                // arcs
  double sweep = 0;
  std::vector<ui::Point> points;   // polylines
};

class RecordingCanvas final : public ui::Canvas {
 public:
  static constexpr int kCharWidth = 7;
  static constexpr int kLineHeight = 16;

  std::vector<DrawCall> calls;

  void fillRounded(const ui::Rect& r, ui::Color c, int) override { calls.push_back({DrawCall::Fill, r, c, c}); }
  void fillRoundedBordered(const ui::Rect& r, ui::Color f, ui::Color b, int) override {
    calls.push_back({DrawCall::Fill, r, f, b});
  }
  void drawText(const std::wstring& t, const ui::Rect& r, ui::Color c, ui::TextFormat f, ui::FontId font) override {
    calls.push_back({DrawCall::Text, r, c, c, t, f, font});
  }
  int measureTextHeight(const std::wstring& t, int width, ui::FontId) override {
    const int perLine = std::max(1, width / kCharWidth);
    const int lines = std::max(1, static_cast<int>((t.size() + perLine - 1) / perLine));
    return lines * kLineHeight;
  }
  ui::Size measureText(const std::wstring& t, ui::FontId) override {
    return {static_cast<int>(t.size()) * kCharWidth, kLineHeight};
  }
  void line(ui::Point a, ui::Point b, ui::Color c, int) override { calls.push_back({DrawCall::Line, {a.x, a.y, b.x, b.y}, c, c}); }
  void polyline(const std::vector<ui::Point>& p, ui::Color c, int) override {
    DrawCall call{DrawCall::Polyline, {p.front().x, p.front().y, p.back().x, p.back().y}, c, c};
    call.points = p;
    calls.push_back(call);
  }
  void arc(const ui::Rect& r, double start, double sweep, ui::Color c, int) override {
    DrawCall call{DrawCall::Arc, r, c, c};
    call.start = start;
    call.sweep = sweep;
    calls.push_back(call);
  }
  void gradientV(const ui::Rect& r, ui::Color top, ui::Color bottom) override {
    calls.push_back({DrawCall::Gradient, r, top, bottom});
  }
  void clipTo(const ui::Rect& r) override { calls.push_back({DrawCall::Clip, r}); }
  void clearClip() override { calls.push_back({DrawCall::Unclip}); }

  // The first text call with exactly this text.
  std::optional<DrawCall> text(const std::wstring& t) const {
    for (const auto& c : calls)
      if (c.kind == DrawCall::Text && c.text == t) return c;
    return std::nullopt;
  }
  bool drew(const std::wstring& t) const { return text(t).has_value(); }
  std::vector<DrawCall> all(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    for (const auto& c : calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }
  // The fill drawn with exactly this rectangle, the last one wins.
  std::optional<DrawCall> fillAt(const ui::Rect& r) const {
    std::optional<DrawCall> found;
    for (const auto& c : calls)
      if (c.kind == DrawCall::Fill && c.rect == r) found = c;
    return found;
  }
};

}  // namespace vx::test
