#include "hw/recommendations.h"
#include "core/guarded_calls.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "core/catalog.h"

namespace vx {

namespace {

// What a recommendation needs from the machine besides pending tweaks.
enum class Needs {
  Nothing,
  LowMemory,         // a known amount of RAM below 8 GiB
  Ssd,
  Desktop,
  ModernGpu,
  OldIntelCpu,
  AmdMsiFamily,      // Polaris, GCN or Vega
  NvidiaMsiFamily,   // Pascal, Turing, Ampere or Ada
};

constexpr int kImportant = 0;
constexpr int kTip = 1;
constexpr int kOption = 2;

struct Candidate {
  Needs needs;
  std::vector<const wchar_t*> pendingAny;  // the advice stands while one of these is pending
  int priority;
  int laptopPriority;
  const wchar_t* title;
  const wchar_t* text;  // {placeholders} are filled from the profile, see fillIn
  std::vector<const wchar_t*> tweakIds;
};

// Tested in this order; the final list is stably sorted by priority.
const Candidate kCandidates[] = {
    {Needs::Nothing, {L"priv.telemetry", L"priv.diagtrack"}, kImportant, kImportant,
     L"Снизьте уровень телеметрии Windows",
     L"Служба DiagTrack и фоновые отчёты могут потреблять CPU и сеть. Отключение не влияет на обновления безопасности.",
     {L"priv.telemetry", L"priv.diagtrack", L"priv.advertising_id"}},
    {Needs::Nothing, {L"game.disable_gamedvr"}, kImportant, kImportant,
     L"Отключите фоновую запись игр (Game DVR)",
     L"Game DVR постоянно держит в памяти буфер последних минут игры — это снижает FPS и нагружает диск. Если вы не "
     L"используете запись через Game Bar, это безопасно отключить.",
     {L"game.disable_gamedvr"}},
    {Needs::LowMemory, {L"perf.visualfx"}, kImportant, kImportant,
     L"Включите режим производительности для визуальных эффектов",
     L"У вас {ram_gb} ГБ ОЗУ — для такой конфигурации отключение анимаций и теней даёт заметный прирост отзывчивости "
     L"интерфейса.",
     {L"perf.visualfx"}},
    {Needs::Ssd, {L"perf.sysmain"}, kImportant, kImportant,
     L"Отключите SysMain (Superfetch) — у вас SSD",
     L"SysMain была разработана для ускорения HDD. На SSD она бесполезна, но создаёт постоянные фоновые операции записи.",
     {L"perf.sysmain"}},
    {Needs::Ssd, {L"system.ntfs_lastaccess"}, kTip, kTip,
     L"Отключите обновление времени последнего доступа NTFS",
     L"Каждое чтение файла на SSD сопровождается лишней записью метаданных. Отключение продлевает ресурс накопителя.",
     {L"system.ntfs_lastaccess"}},
    {Needs::Desktop, {L"power.high"}, kTip, kTip,
     L"Активируйте план «Высокая производительность»",
     L"Похоже, у вас стационарный ПК. Сбалансированный план занижает частоты CPU при простое, что добавляет микро-лагов.",
     {L"power.high"}},
    {Needs::ModernGpu, {L"game.hwsch"}, kTip, kTip,
     L"Включите аппаратное ускорение планирования GPU",
     L"Видеокарта \"{gpu}\" поддерживает Hardware-Accelerated GPU Scheduling. Может снизить задержку ввода в играх. "
     L"После применения нужна перезагрузка.",
     {L"game.hwsch"}},
    {Needs::Nothing, {L"net.no_throttling", L"net.system_responsiveness"}, kTip, kTip,
     L"Уберите ограничения сетевой подсистемы",
     L"NetworkThrottlingIndex и SystemResponsiveness по умолчанию резервируют часть ресурсов под фоновые задачи. "
     L"Отключение полезно для онлайн-игр, стримов и видеозвонков.",
     {L"net.no_throttling", L"net.system_responsiveness", L"net.tcp_nodelay"}},
    {Needs::Nothing, {L"perf.priorityseparation"}, kTip, kTip,
     L"Дайте приоритет окну переднего плана",
     L"Активное окно (например, игра или редактор) будет получать больше процессорного времени. "
     L"Win32PrioritySeparation = 38.",
     {L"perf.priorityseparation"}},
    // On a laptop the touchpad usually wants acceleration, so the advice drops to an option.
    {Needs::Nothing, {L"system.mouse_accel"}, kTip, kOption,
     L"Отключите ускорение указателя мыши",
     L"Если вы играете в шутеры — акселерация мешает мышечной памяти. Если ноутбук с тачпадом, лучше оставить "
     L"включённой.",
     {L"system.mouse_accel"}},
    {Needs::Nothing, {L"system.show_ext"}, kOption, kOption,
     L"Показывайте расширения файлов",
     L"Когда расширения скрыты, файл вида invoice.pdf.exe выглядит как PDF — это классический приём фишинга.",
     {L"system.show_ext"}},
    {Needs::OldIntelCpu, {L"perf.no_spectre_meltdown"}, kTip, kTip,
     L"Для {intel_model} — отключите митигации Spectre/Meltdown",
     L"Ваш {cpu_or_generation} сильнее всего страдает от программных патчей уязвимостей (до 10–15% производительности "
     L"в играх и компиляции). На офлайн-игровом ПК их безопасно отключить. Будет создана точка восстановления — если "
     L"что-то пойдёт не так, можно откатить.",
     {L"perf.no_spectre_meltdown"}},
    {Needs::AmdMsiFamily, {L"perf.gpu_msi"}, kImportant, kImportant,
     L"Включите MSI Mode для {gpu}",
     L"GPU семейства {amd_family} хорошо работает с Message Signaled Interrupts. На {gpu_or_yours} это убирает "
     L"stuttering и снижает задержку DPC на 1–3 мс. После перезагрузки можно отказаться от агрессивных фоновых "
     L"обработок.",
     {L"perf.gpu_msi"}},
    {Needs::AmdMsiFamily, {L"perf.pcie_no_aspm"}, kTip, kTip,
     L"Отключите PCIe Power Management для GPU",
     L"Драйвер AMD периодически жалуется на пробуждение PCIe-линии в режиме ASPM. Отключение убирает редкие, но "
     L"раздражающие микрофризы.",
     {L"perf.pcie_no_aspm"}},
    {Needs::NvidiaMsiFamily, {L"perf.gpu_msi"}, kImportant, kImportant,
     L"Включите MSI Mode для {gpu}",
     L"NVIDIA {nvidia_family} поддерживает MSI с приоритетом High. Это стандартная рекомендация NVIDIA Forums для "
     L"устранения stuttering в DX11/DX12.",
     {L"perf.gpu_msi"}},
    {Needs::Nothing, {L"net.vip.tcp_latency"}, kTip, kTip,
     L"VIP-Сеть: уменьшите TCP-задержки на каждом адаптере",
     L"TcpAckFrequency=1 на конкретном NIC отключает delayed ACK именно на этом интерфейсе. В отличие от глобальных "
     L"параметров, это работает надёжно и снижает реальный пинг.",
     {L"net.vip.tcp_latency"}},
    {Needs::Nothing, {L"net.vip.disable_eee"}, kTip, kTip,
     L"VIP-Сеть: отключите Energy Efficient Ethernet",
     L"EEE усыпляет сетевую линию на миллисекунды простоя — для игр это спайки лага. Отключение убирает скачки пинга в "
     L"5–20 мс.",
     {L"net.vip.disable_eee"}},
    {Needs::Nothing, {L"net.vip.intr_moderation"}, kOption, kOption,
     L"VIP-Сеть: отключите Interrupt Moderation",
     L"Драйверы Intel и Realtek по умолчанию группируют прерывания, что добавляет микро-задержку. Для "
     L"соревновательных игр это критично, для офиса — нет.",
     {L"net.vip.intr_moderation"}},
};

constexpr std::uint64_t kLowMemoryLimitMb = 8192;

bool isOneOf(const std::wstring& value, std::initializer_list<std::wstring_view> options) {
  return std::find(options.begin(), options.end(), value) != options.end();
}

bool machineFits(Needs needs, const HardwareProfile& p) {
  switch (needs) {
    case Needs::Nothing: return true;
    case Needs::LowMemory: return p.totalRamMb > 0 && p.totalRamMb < kLowMemoryLimitMb;
    case Needs::Ssd: return p.isSsd;
    case Needs::Desktop: return !p.isLaptop;
    case Needs::ModernGpu: return p.gpuModern;
    case Needs::OldIntelCpu: return p.oldIntelCpu;
    case Needs::AmdMsiFamily: return isOneOf(p.amdGpuFamily, {L"Polaris", L"GCN", L"Vega"});
    case Needs::NvidiaMsiFamily: return isOneOf(p.nvidiaGpuFamily, {L"Pascal", L"Turing", L"Ampere", L"Ada"});
  }
  return false;
}

std::wstring placeholderValue(std::wstring_view name, const HardwareProfile& p) {
  if (name == L"ram_gb") return std::to_wstring(p.totalRamMb / 1024);
  if (name == L"gpu") return p.gpuName;
  if (name == L"gpu_or_yours") return p.gpuName.empty() ? L"вашей видеокарте" : p.gpuName;
  if (name == L"intel_model") return std::to_wstring(p.intelModelNumber);
  if (name == L"cpu_or_generation")
    return p.cpuName.empty() ? L"Intel " + std::to_wstring(p.intelGeneration) + L" поколения" : p.cpuName;
  if (name == L"amd_family") return p.amdGpuFamily;
  if (name == L"nvidia_family") return p.nvidiaGpuFamily;
  return L"{" + std::wstring(name) + L"}";
}

// One pass over the template, so braces inside a filled-in name are left as they are.
std::wstring fillIn(std::wstring_view text, const HardwareProfile& p) {
  std::wstring out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t open = text.find(L'{', pos);
    const std::size_t close = open == std::wstring_view::npos ? open : text.find(L'}', open);
    if (close == std::wstring_view::npos) break;
    out.append(text.substr(pos, open - pos));
    out += placeholderValue(text.substr(open + 1, close - open - 1), p);
    pos = close + 1;
  }
  out.append(text.substr(std::min(pos, text.size())));
  return out;
}

}  // namespace

const wchar_t* recommendationPriorityLabel(int priority) {
  switch (priority) {
    case kImportant: return L"ВАЖНО";
    case kTip: return L"СОВЕТ";
    case kOption: return L"ОПЦИЯ";
  }
  return L"";
}

bool isPending(const TweakCatalog& catalog, const std::wstring& id) {
  const TweakPtr tweak = findById(catalog, id);
  if (!tweak) return false;
  const TweakState state = guarded::queryState(*tweak);
  return state == TweakState::NotApplied || state == TweakState::Undetermined;
}

std::vector<Recommendation> buildRecommendations(const HardwareProfile& profile, const TweakCatalog& catalog) {
  return buildRecommendations(profile, catalog, [](Tweak& tweak) { return guarded::queryState(tweak); });
}

std::vector<Recommendation> buildRecommendations(const HardwareProfile& profile, const TweakCatalog& catalog,
                                                 const std::function<TweakState(Tweak&)>& stateOf) {
  const auto isPendingIn = [&](const wchar_t* id) {
    const TweakPtr tweak = findById(catalog, id);
    if (!tweak) return false;
    const TweakState state = stateOf(*tweak);
    return state == TweakState::NotApplied || state == TweakState::Undetermined;
  };
  std::vector<Recommendation> list;
  for (const Candidate& c : kCandidates) {
    // The machine is checked first: a tweak is only queried when its advice could apply.
    if (!machineFits(c.needs, profile)) continue;
    const bool pending = std::any_of(c.pendingAny.begin(), c.pendingAny.end(),
                                     [&](const wchar_t* id) { return isPendingIn(id); });
    if (!pending) continue;
    Recommendation r;
    r.title = fillIn(c.title, profile);
    r.text = fillIn(c.text, profile);
    r.priority = profile.isLaptop ? c.laptopPriority : c.priority;
    r.tweakIds.assign(c.tweakIds.begin(), c.tweakIds.end());
    list.push_back(std::move(r));
  }
  std::stable_sort(list.begin(), list.end(),
                   [](const Recommendation& a, const Recommendation& b) { return a.priority < b.priority; });
  return list;
}

}  // namespace vx
