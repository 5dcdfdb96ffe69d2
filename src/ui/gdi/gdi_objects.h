// Owners of the GDI objects the window paints with: fonts, brushes, pens and bitmaps (deleted with
// DeleteObject), memory device contexts (DeleteDC) and an object selected into a DC for one scope.
// The GDI canvas, the window fonts, the window's paint and the paint benchmark use them.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace vx::ui::gdi {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const {
    if (object) DeleteObject(object);
  }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

// A DC from CreateCompatibleDC.
struct MemoryDcDeleter {
  void operator()(HDC dc) const {
    if (dc) DeleteDC(dc);
  }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// Selects a GDI object for one scope and puts the previous one back (nothing for a null object).
// Declare it after the owner of the object, so the object is deselected before it is deleted.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace vx::ui::gdi
