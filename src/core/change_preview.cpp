#include "core/change_preview.h"

#include "core/change_values.h"

namespace vx {

namespace {

std::wstring valueName(const TweakChange& change) {
  return change.valueName.empty() ? std::wstring(L"(по умолчанию)") : change.valueName;
}

const wchar_t* startTypeName(const RegValueImage& value) {
  if (!value.present || value.type != kRegTypeDword || value.data.size() != 4) return nullptr;
  switch (value.data[0] | (value.data[1] << 8)) {
    case 0: return L"при загрузке";
    case 1: return L"системная";
    case 2: return L"автоматически";
    case 3: return L"вручную";
    case 4: return L"отключена";
    default: return nullptr;
  }
}

std::wstring shown(const TweakChange& change, const RegValueImage& value) {
  if (change.kind == ChangeKind::ServiceStart)
    if (const wchar_t* name = startTypeName(value)) return name;
  return readableValue(value);
}

// "7 → 60", "→ 60" without a current value; " (REG_DWORD)" for registry values.
std::wstring transition(const TweakChange& change, const RegValueImage& after, const std::optional<RegValueImage>& now) {
  std::wstring text;
  if (now) text = shown(change, *now) + L" ";
  text += L"→ " + shown(change, after);
  if (change.kind == ChangeKind::RegistryValue) {
    const RegValueImage& typed = after.present ? after : (now ? *now : after);
    if (typed.present) text += L" (" + regTypeName(typed.type) + L")";
  }
  return text;
}

std::wstring joined(const std::vector<std::wstring>& parts) {
  std::wstring text;
  for (const auto& part : parts) text += (text.empty() ? L"" : L", ") + part;
  return text;
}

}  // namespace

CurrentValues readCurrentValues(const TweakChanges& changes) {
  CurrentValues values;
  values.reserve(changes.size());
  for (const auto& change : changes) values.push_back(readChangeValue(change));
  return values;
}

std::vector<std::wstring> previewLines(const TweakChanges& changes, bool revert, const CurrentValues* current) {
  std::vector<std::wstring> lines;
  lines.reserve(changes.size());
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const TweakChange& change = changes[i];
    std::optional<RegValueImage> now;
    if (current != nullptr && i < current->size()) now = (*current)[i];
    const RegValueImage& target = revert ? change.onRevert : change.onApply;
    const bool kept = revert && change.keepsOnRevert;
    const std::wstring step = kept ? std::wstring(L"без изменений") : transition(change, target, now);
    switch (change.kind) {
      case ChangeKind::RegistryValue:
        lines.push_back(std::wstring(regRootShortName(change.root)) + L"\\" + change.key + L"  " + valueName(change) +
                        L": " + step);
        break;
      case ChangeKind::ServiceStart:
        lines.push_back(L"служба " + change.key + L"  тип запуска: " + step);
        break;
      case ChangeKind::PowerScheme:
        // An empty scheme after revert is the one that was active before apply.
        if (revert && !change.onRevert.present)
          lines.push_back(L"схема питания: " + (now ? readableValue(*now) + L" " : std::wstring()) + L"→ прежняя");
        else
          lines.push_back(L"схема питания: " + step);
        break;
      case ChangeKind::BootValue:
      case ChangeKind::Command: {
        const std::wstring& command = revert ? change.revertCommand : change.applyCommand;
        if (!command.empty()) lines.push_back(L"выполнит: " + command);
        break;
      }
      case ChangeKind::File:
        if (revert)
          lines.push_back(L"файл " + change.key + L": вернёт прежнее содержимое");
        else
          lines.push_back(L"файл " + change.key + (change.settings.empty() ? std::wstring() : L": " + joined(change.settings)));
        break;
    }
  }
  return lines;
}

}  // namespace vx
