// A game config file's text in the encoding it came in: 8-bit text (see eight_bit_text.h), the
// same behind a UTF-8 byte-order mark, or UTF-16 LE/BE behind its mark, with its own line ends.
// Decoding sets the mark aside so keys are matched on the text; encoding writes it back. Used by
// the config-file tweaks and the .ini editor.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vx {

enum class ConfigEncoding { EightBit, Utf8Bom, Utf16Le, Utf16Be };

struct ConfigText {
  ConfigEncoding encoding = ConfigEncoding::EightBit;
  bool lineFeedOnly = false;  // UTF-16 only: the file ended its lines with LF alone
  std::vector<std::wstring> lines;
};

// Nothing when the bytes are not text: a NUL byte outside UTF-16, or UTF-16 of an odd length.
// 8-bit text (also behind a UTF-8 mark) reads as splitTextLines does; in UTF-16 a CR LF or LF
// ends a line, and each character is one UTF-16 code unit.
std::optional<ConfigText> decodeConfigText(const std::string& bytes);
// The mark again, then every line followed by CR LF (LF for UTF-16 files that used LF alone).
std::string encodeConfigText(const ConfigText& text);

// readConfigBytes, then decodeConfigText; nothing when either fails.
std::optional<ConfigText> readConfigText(const std::wstring& path);

}  // namespace vx
