// The seven window fonts as GDI fonts for one DPI, built from the theme's descriptions. The window
// creates them on WM_CREATE and again on WM_DPICHANGED; the GDI canvas draws with them.
#pragma once
#include <windows.h>

#include <array>

#include "ui/gdi/gdi_objects.h"
#include "ui/theme.h"

namespace vx::ui::gdi {

class GdiFonts {
 public:
  // Deletes the old fonts first, then creates all seven for the DPI.
  void create(int dpi);
  void destroy();
  HFONT get(FontId font) const { return fonts_[static_cast<int>(font)].get(); }

 private:
  std::array<UniqueFont, kFontCount> fonts_;
};

}  // namespace vx::ui::gdi
