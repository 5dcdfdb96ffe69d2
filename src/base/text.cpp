#include "base/text.h"

#include <algorithm>
#include <cwchar>

namespace vx {

wchar_t foldChar(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c < 0xC0) return c;
  if (c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);  // Latin-1 capitals, not ×
  if (c >= 0x0410 && c <= 0x042F) return static_cast<wchar_t>(c + 32);  // А..Я
  if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 80);  // Ѐ..Џ, Ё included
  return c;
}

std::wstring toLowerFolded(std::wstring_view text) {
  std::wstring out(text);
  std::transform(out.begin(), out.end(), out.begin(), foldChar);
  return out;
}

bool containsFolded(std::wstring_view haystack, std::wstring_view needle) {
  return toLowerFolded(haystack).find(toLowerFolded(needle)) != std::wstring::npos;
}

bool equalsFolded(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return foldChar(x) == foldChar(y);
         });
}

bool isLetterOrDigit(wchar_t c) {
  if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z')) return true;
  if (c < 0xB2) return false;
  if (c <= 0xFF) {
    // Latin-1: the superscript digits ² ³ ¹ and the letters À..ÿ except × and ÷ (ª µ º are not
    // letters for Windows' C runtime).
    return c == 0xB2 || c == 0xB3 || c == 0xB9 || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
  }
  if (c <= 0x024F) return true;  // Latin Extended-A and -B
  // Cyrillic letters; U+0482 is a sign and U+0483..U+0489 are combining marks.
  return (c >= 0x0400 && c <= 0x0481) || (c >= 0x048A && c <= 0x04FF);
}

std::size_t utf16Length(std::wstring_view text) {
#if WCHAR_MAX <= 0xFFFF
  return text.size();  // wchar_t already holds UTF-16 code units
#else
  std::size_t units = 0;
  for (wchar_t c : text) units += static_cast<std::uint32_t>(c) > 0xFFFF ? 2 : 1;
  return units;
#endif
}

namespace {

// Code points of the string, pairing UTF-16 surrogates where wchar_t is 16-bit.
template <typename Visit>
void forEachCodePoint(std::wstring_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
    if constexpr (sizeof(wchar_t) == 2) {
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
        char32_t low = static_cast<char16_t>(text[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
    }
    visit(c);
  }
}

void appendWide(std::wstring& out, char32_t c) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (c > 0xFFFF) {
      c -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(c));
}

}  // namespace

std::string toUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  forEachCodePoint(text, [&out](char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  });
  return out;
}

std::wstring fromUtf8(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 0x6 ? 1 : (b0 >> 4) == 0xE ? 2 : (b0 >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= bytes.size()) {
      out.push_back(L'\xFFFD');
      ++i;
      continue;
    }
    char32_t c = extra == 0 ? b0 : b0 & (0x3F >> extra);
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(bytes[i + k]);
      if ((b & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (!valid || c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(L'\xFFFD');
      ++i;
      continue;
    }
    appendWide(out, c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

}  // namespace vx
