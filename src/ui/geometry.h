// Client-area geometry shared by the painters, the hit regions and the canvas backends: integer
// rectangles {left, top, right, bottom} in client pixels, containing left <= x < right.
#pragma once

namespace vx::ui {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
  bool operator==(const Rect&) const = default;
};

// The overlap of two rectangles; empty() when they do not meet.
inline Rect intersect(const Rect& a, const Rect& b) {
  Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
         a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
  return r;
}

}  // namespace vx::ui
