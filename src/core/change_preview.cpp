#include "core/change_preview.h"

#include <cstdio>

#include "platform/power.h"
#include "platform/services.h"

namespace vx {

namespace {

struct TypeName {
  std::uint32_t type;
  const wchar_t* name;
};

constexpr TypeName kTypeNames[] = {
    {kRegTypeSz, L"REG_SZ"},        {kRegTypeExpandSz, L"REG_EXPAND_SZ"}, {kRegTypeBinary, L"REG_BINARY"},
    {kRegTypeDword, L"REG_DWORD"},  {kRegTypeMultiSz, L"REG_MULTI_SZ"},   {kRegTypeQword, L"REG_QWORD"},
};

// The power scheme shown to the user when revert activates the one that was active before.
constexpr const wchar_t* kPreviousSchemeText = L"прежняя схема";
constexpr const wchar_t* kUnchangedText = L"без изменений";
constexpr const wchar_t* kRunsPrefix = L"выполнит: ";

std::wstring valueText(const RegValueImage& value);

std::uint64_t littleEndian(const std::vector<std::uint8_t>& bytes, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

// UTF-16LE units up to the first terminator; a pair of surrogates becomes one character where
// wchar_t is 32 bits wide, a lone one stays as it is.
std::wstring utf16Text(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t* end) {
  std::wstring text;
  std::size_t i = from;
  for (; i + 1 < bytes.size(); i += 2) {
    const std::uint32_t unit = bytes[i] | static_cast<std::uint32_t>(bytes[i + 1]) << 8;
    if (unit == 0) {
      i += 2;
      break;
    }
    if constexpr (sizeof(wchar_t) == 4) {
      if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
        const std::uint32_t low = bytes[i + 2] | static_cast<std::uint32_t>(bytes[i + 3]) << 8;
        if (low >= 0xDC00 && low < 0xE000) {
          text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
          i += 2;
          continue;
        }
      }
    }
    text.push_back(static_cast<wchar_t>(unit));
  }
  if (end) *end = i;
  return text;
}

std::wstring hexBytes(const std::vector<std::uint8_t>& bytes) {
  std::wstring text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    wchar_t pair[4];
    std::swprintf(pair, 4, L"%02x", bytes[i]);
    if (i) text += L' ';
    text += pair;
  }
  return text;
}

std::wstring guidText(const Guid& guid) {
  const auto& b = guid.bytes;
  wchar_t text[40];
  std::swprintf(text, 40, L"{%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x}", b[3], b[2], b[1], b[0],
                b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
  return text;
}

std::wstring joined(const std::vector<std::wstring>& parts, const wchar_t* separator) {
  std::wstring text;
  for (const std::wstring& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

// Where the change lands, as the line starts.
std::wstring targetText(const TweakChange& change) {
  switch (change.kind) {
    case ChangeKind::RegistryValue:
      return std::wstring(regRootShortName(change.root)) + L"\\" + change.key + L"  " +
             (change.valueName.empty() ? std::wstring(L"(по умолчанию)") : change.valueName);
    case ChangeKind::ServiceStart: return L"служба " + change.key + L"  тип запуска";
    case ChangeKind::PowerScheme: return L"схема питания";
    case ChangeKind::BootValue:
    case ChangeKind::File:
    case ChangeKind::Command: break;
  }
  return change.key;
}

std::wstring afterText(const TweakChange& change, bool revert, const std::optional<RegValueImage>& now) {
  if (revert && change.keepsOnRevert) return now ? valueText(*now) : kUnchangedText;
  const RegValueImage& after = revert ? change.onRevert : change.onApply;
  if (change.kind == ChangeKind::PowerScheme && revert && (!after.present || valueText(after).empty()))
    return kPreviousSchemeText;
  return valueText(after);
}

std::wstring typeName(std::uint32_t type) {
  for (const TypeName& entry : kTypeNames)
    if (entry.type == type) return entry.name;
  return L"тип " + std::to_wstring(type);
}

std::wstring valueText(const RegValueImage& value) {
  if (!value.present) return kNoValueText;
  const std::vector<std::uint8_t>& data = value.data;
  switch (value.type) {
    case kRegTypeDword:
      if (data.size() == 4) return std::to_wstring(littleEndian(data, 4));
      break;
    case kRegTypeQword:
      if (data.size() == 8) return std::to_wstring(littleEndian(data, 8));
      break;
    case kRegTypeSz:
    case kRegTypeExpandSz: return utf16Text(data, 0, nullptr);
    case kRegTypeMultiSz: {
      std::vector<std::wstring> parts;
      std::size_t at = 0;
      while (at + 1 < data.size()) {
        std::size_t end = at;
        std::wstring part = utf16Text(data, at, &end);
        if (part.empty()) break;  // the list ends with an empty string
        parts.push_back(std::move(part));
        at = end;
      }
      return joined(parts, L" | ");
    }
    default: break;
  }
  return hexBytes(data);
}

std::optional<RegValueImage> readCurrentValue(const TweakChange& change) {
  switch (change.kind) {
    case ChangeKind::RegistryValue: {
      const std::optional<RegRawValue> raw = regReadRaw(change.root, change.key, change.valueName);
      if (!raw) return RegValueImage::absent();
      return RegValueImage::raw(raw->type, raw->data);
    }
    case ChangeKind::ServiceStart: {
      const int start = serviceStartType(change.key);
      if (start < 0) return RegValueImage::absent();
      return RegValueImage::dword(static_cast<std::uint32_t>(start));
    }
    case ChangeKind::PowerScheme: {
      const std::optional<Guid> scheme = activePowerScheme();
      if (!scheme) return std::nullopt;
      return RegValueImage::string(guidText(*scheme));
    }
    case ChangeKind::BootValue:
    case ChangeKind::File:
    case ChangeKind::Command: break;
  }
  return std::nullopt;
}

std::wstring changeLine(const TweakChange& change, const std::optional<RegValueImage>& now, bool revert) {
  switch (change.kind) {
    case ChangeKind::BootValue:
    case ChangeKind::Command: return kRunsPrefix + (revert ? change.revertCommand : change.applyCommand);
    case ChangeKind::File:
      if (revert) return L"файл " + change.key + L": из копии " + change.valueName;
      return L"файл " + change.key + L": " + joined(change.settings, L", ");
    case ChangeKind::RegistryValue:
    case ChangeKind::ServiceStart:
    case ChangeKind::PowerScheme: break;
  }
  std::wstring line = targetText(change) + L": ";
  if (now) line += valueText(*now) + L" ";
  line += L"→ " + afterText(change, revert, now);
  if (change.kind == ChangeKind::RegistryValue) {
    const RegValueImage& after = revert ? change.onRevert : change.onApply;
    const RegValueImage* typed = after.present && !(revert && change.keepsOnRevert) ? &after
                                 : now && now->present                              ? &*now
                                                                                    : nullptr;
    if (typed) line += L" (" + typeName(typed->type) + L")";
  }
  return line;
}

}  // namespace

CurrentValues readCurrentValues(const TweakChanges& changes) {
  CurrentValues values;
  values.reserve(changes.size());
  for (const TweakChange& change : changes) values.push_back(readCurrentValue(change));
  return values;
}

std::vector<std::wstring> previewLines(const TweakChanges& changes, bool revert, const CurrentValues* current) {
  std::vector<std::wstring> lines;
  lines.reserve(changes.size());
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const std::optional<RegValueImage> now = current && i < current->size() ? (*current)[i] : std::nullopt;
    lines.push_back(changeLine(changes[i], now, revert));
  }
  return lines;
}

}  // namespace vx
