// Randomized checks of the cfg and ini editors with a fixed seed: for generated files (bytes
// outside ASCII, a byte-order mark, no final line end, duplicate keys, sections spelled in
// another case, blanks around "=", lone carriage returns) every line the edit does not target
// survives byte for byte, and every target reads back as set after a trip through the disk.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "games/cvar_lines.h"
#include "games/eight_bit_text.h"
#include "games/ini_file.h"
#include "platform/files.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using Lines = std::vector<std::wstring>;

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : rng_(seed) {}

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool chance(int percent) { return below(100) < percent; }

  // Filler text: ASCII, bytes 0x80..0xFF, tabs, blanks, an occasional lone CR; never a LF.
  std::string filler(int maxLength) {
    std::string text;
    const int length = below(maxLength + 1);
    for (int i = 0; i < length; ++i) {
      const int kind = below(10);
      if (kind < 6) text.push_back(static_cast<char>('a' + below(26)));
      else if (kind < 8) text.push_back(static_cast<char>(0x80 + below(128)));
      else if (kind < 9) text.push_back(" \t=;[]\""[below(7)]);
      else text.push_back('\r');
    }
    return text;
  }

  std::string pick(const std::vector<std::string>& options) { return options[below(static_cast<int>(options.size()))]; }

  // Lines joined with CR LF or LF, sometimes a BOM first, sometimes no final line end.
  std::string file(const std::vector<std::string>& lines) {
    std::string bytes = chance(20) ? "\xEF\xBB\xBF" : "";
    for (std::size_t i = 0; i < lines.size(); ++i) {
      bytes += lines[i];
      if (i + 1 < lines.size() || !chance(30)) bytes += chance(70) ? "\r\n" : "\n";
    }
    return bytes;
  }

 private:
  std::mt19937 rng_;
};

// Values the generator never produces, so a line holding one was written by the edit.
std::wstring targetValue(std::size_t i) { return L"SET" + std::to_wstring(i); }

class ConfigEditorProperty : public test::SimTest {
 protected:
  // Through the disk as the tweaks do it: read, edit, write, read again.
  Lines roundTrip(const std::string& bytes, const std::function<void(Lines&)>& edit) {
    const std::wstring path = L"D:\\cfg\\file.cfg";
    createDirectories(L"D:\\cfg");
    EXPECT_TRUE(writeFileBytes(path, bytes));
    auto lines = readTextLines(path);
    EXPECT_TRUE(lines.has_value());
    edit(*lines);
    EXPECT_TRUE(writeTextLines(path, *lines));
    return splitTextLines(readFileBytes(path).value_or(""));
  }
};

TEST_F(ConfigEditorProperty, CvarEditKeepsEveryOtherLine) {
  const std::vector<std::wstring> keys = {L"graphics.fov", L"graphics.dof", L"client.softshadows"};
  Generator gen(20260310);
  for (int round = 0; round < 400; ++round) {
    std::vector<std::string> lines;
    const int count = gen.below(12);
    for (int i = 0; i < count; ++i) {
      const std::string key = gen.pick({"graphics.fov", "graphics.dof", "Graphics.fov", " graphics.dof",
                                        "graphics.fovx", "client.softshadows", "input.sensitivity"});
      lines.push_back(gen.chance(70) ? key + gen.pick({" ", "=", "  ", ""}) + gen.filler(6) : gen.filler(10));
    }
    const std::string bytes = gen.file(lines);
    const Lines before = splitTextLines(bytes);
    const Lines after = roundTrip(bytes, [&](Lines& l) {
      for (std::size_t k = 0; k < keys.size(); ++k) setCvarIn(l, keys[k], targetValue(k));
    });

    ASSERT_GE(after.size(), before.size()) << round;
    std::vector<int> rewritten(keys.size(), 0);  // each key takes one line at most
    for (std::size_t i = 0; i < before.size(); ++i) {
      bool targeted = false;
      for (std::size_t k = 0; k < keys.size(); ++k) {
        if (after[i] != keys[k] + L" " + targetValue(k)) continue;
        targeted = true;
        ++rewritten[k];
      }
      if (!targeted) {
        EXPECT_EQ(toEightBit(after[i]), toEightBit(before[i])) << "round " << round << " line " << i;
      }
    }
    for (int n : rewritten) EXPECT_LE(n, 1) << "round " << round << ": a later duplicate was rewritten";
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const std::wstring* line = findCvarLine(after, keys[k]);
      ASSERT_NE(line, nullptr) << round;
      EXPECT_EQ(*line, keys[k] + L" " + targetValue(k)) << round;
    }
  }
}

TEST_F(ConfigEditorProperty, IniEditKeepsEveryOtherLine) {
  struct Target {
    std::wstring section, key;
  };
  const std::vector<Target> targets = {{L"SystemSettings", L"r.MotionBlurQuality"},
                                       {L"SystemSettings", L"r.OneFrameThreadLag"},
                                       {L"/script/engine.engine", L"bSmoothFrameRate"}};
  Generator gen(77);
  for (int round = 0; round < 400; ++round) {
    std::vector<std::string> lines;
    const int count = gen.below(14);
    for (int i = 0; i < count; ++i) {
      const int kind = gen.below(10);
      if (kind < 3) {
        lines.push_back(gen.pick({"[SystemSettings]", "[systemsettings]", " [SystemSettings] ", "[/script/engine.engine]",
                                  "[/Script/Engine.Engine]", "[Other]", "[]"}));
      } else if (kind < 7) {
        const std::string key = gen.pick({"r.MotionBlurQuality", "r.OneFrameThreadLag", "bSmoothFrameRate",
                                          ";r.MotionBlurQuality", "r.motionblurquality", "x"});
        lines.push_back(gen.pick({"", " ", "\t"}) + key + gen.pick({"=", " = ", "\t=", ""}) +
                        std::to_string(gen.below(9)) + gen.filler(3));
      } else {
        lines.push_back(gen.filler(8));
      }
    }
    const std::string bytes = gen.file(lines);
    const Lines before = splitTextLines(bytes);
    const Lines after = roundTrip(bytes, [&](Lines& l) {
      for (std::size_t t = 0; t < targets.size(); ++t) setIniValueIn(l, targets[t].section, targets[t].key, targetValue(t));
    });

    // Without the lines the edit wrote, the file is the old one minus the lines it replaced,
    // plus, at the end, only blank lines and headers of the target sections.
    Lines kept;
    for (const std::wstring& line : after) {
      bool written = false;
      for (std::size_t t = 0; t < targets.size(); ++t) written = written || line == targets[t].key + L"=" + targetValue(t);
      if (!written) kept.push_back(line);
    }
    std::size_t j = 0;
    std::vector<int> replaced(targets.size(), 0);  // each target replaces one line at most
    for (const std::wstring& line : before) {
      if (j < kept.size() && toEightBit(kept[j]) == toEightBit(line)) {
        ++j;
        continue;
      }
      const std::size_t eq = line.find(L'=');
      bool isTarget = false;
      for (std::size_t t = 0; t < targets.size(); ++t) {
        if (eq == std::wstring::npos || trimConfigText(line.substr(0, eq)) != targets[t].key) continue;
        isTarget = true;
        ++replaced[t];
      }
      EXPECT_TRUE(isTarget) << "round " << round << ": lost a line it did not target";
    }
    for (int n : replaced) EXPECT_LE(n, 1) << "round " << round << ": a later duplicate was replaced";
    for (; j < kept.size(); ++j)
      EXPECT_TRUE(kept[j].empty() || kept[j] == L"[SystemSettings]" || kept[j] == L"[/script/engine.engine]")
          << "round " << round;
    for (std::size_t t = 0; t < targets.size(); ++t)
      EXPECT_EQ(iniValueIn(after, targets[t].section, targets[t].key), targetValue(t)) << "round " << round;
  }
}

}  // namespace
}  // namespace vx
