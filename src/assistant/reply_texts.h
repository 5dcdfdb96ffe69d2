// The fixed Russian texts of the assistant's replies, word for word. Only the reply composer
// (reply_composer.cpp) puts them together; tests compare against their own copies.
#pragma once
#include <string_view>

namespace vx::replytext {

inline constexpr std::wstring_view kGreetingFirst = L"Привет! Я локальный AI-ассистент Vantorix. Помню что ты говорил, учусь на твоих оценках. Спроси меня что улучшить.";
inline constexpr std::wstring_view kGreetingAgainHead = L"Снова привет. Сегодня уже ";
inline constexpr std::wstring_view kGreetingAgainTail = L"-е сообщение. Что нужно?";
inline constexpr std::wstring_view kHardwareHead = L"Вот что я вижу на твоём ПК:\n\n";
inline constexpr std::wstring_view kAmdGpuHead = L"\n\nВижу AMD ";
inline constexpr std::wstring_view kAmdGpuTail = L" — для этой архитектуры особенно полезен MSI Mode и Polaris-friendly настройки PCIe.";
inline constexpr std::wstring_view kGameHead = L"Для ";
inline constexpr std::wstring_view kGameTail = L" критичны два аспекта: задержка ввода и стабильность frametime.\n\n";
inline constexpr std::wstring_view kHeavyGamesParagraph = L"\n\nЭти игры особенно требовательны к ОЗУ — включи «Движок», он будет автоматически чистить Standby List когда занято > 85%.";
inline constexpr std::wstring_view kIntelCpuHead = L"У тебя Intel ";
inline constexpr std::wstring_view kIntelCpuGeneration = L" поколения";
inline constexpr std::wstring_view kCpuGeneric = L"Конкретно про твой CPU мне сложно сказать больше — оставлю универсальные советы: высокий план питания и USB Power Save выкл.";
inline constexpr std::wstring_view kAmdGpuAdviceHead = L"AMD ";
inline constexpr std::wstring_view kAmdGpuAdviceTail = L". Что делать:\n• MSI Mode (High Priority)\n• PCIe ASPM выкл\n• Кэш шейдеров увеличить";
inline constexpr std::wstring_view kNvidiaGpuAdviceHead = L"NVIDIA ";
inline constexpr std::wstring_view kNvidiaGpuAdviceTail = L". Что делать:\n• MSI Mode (High Priority)\n• Запретить P-state скатывание (P0)\n• HAGS если ещё не включён";
inline constexpr std::wstring_view kGpuGeneric = L"Не могу точно определить вендора видеокарты. Универсально:\n• MSI Mode\n• Кэш шейдеров\n• HAGS";
inline constexpr std::wstring_view kAdviceHeading = L"Топ-3 неприменённых твика для тебя:\n\n";
inline constexpr std::wstring_view kFallbackHint = L"Не понял что именно нужно. Попробуй: «что улучшить для игр», «как снизить лаг в апексе», «оцени мой пк».";
inline constexpr std::wstring_view kIntelParagraph = L"\n\nCPU 4-7 поколения Intel сильно теряет от Spectre/Meltdown патчей. Для офлайн-игрового ПК их можно отключить — спроси «как отключить spectre».";
inline constexpr std::wstring_view kDrivers = L"По драйверам — у меня нет онлайн-доступа к каталогу NVIDIA/AMD, но я могу:\n1. Показать твою текущую установленную версию\n2. Открыть страницу загрузки на сайте производителя с подставленной моделью\n\nЭто есть на вкладке «Главная» — там карточка драйверов с кнопкой «Обновить».";
inline constexpr std::wstring_view kScore = L"Оценка оптимизации показывается на вкладке «Главная» — большая круговая диаграмма сверху. Чем больше pro-твиков применено, тем выше балл. 100/100 — это значит, что всё что я знаю, уже включено.";
inline constexpr std::wstring_view kInputLagFirst = L"Для снижения input lag я бы применил:\n\n• Отключить USB Power Save\n• Глобально выключить Fullscreen Optimizations\n• Стабилизировать таймер через BCD\n• Динамический Win32PrioritySeparation = 38";
inline constexpr std::wstring_view kInputLagRepeat = L"Я уже разбирал это с тобой выше. Ещё могу предложить:\n\n• Включить движок (он поднимет таймер 0.5ms когда стартует игра)\n• Отключить Interrupt Moderation на NIC если у тебя Intel/Realtek";
inline constexpr std::wstring_view kGamesList = L"Что предлагаю применить:\n\n• MSI Mode для GPU (High Priority)\n• Кэш шейдеров (увеличенный лимит)\n• HAGS\n• VIP-Сеть: EEE и Interrupt Moderation выкл\n• PCIe ASPM: выкл";
inline constexpr std::wstring_view kMemory = L"Два инструмента:\n\n• Твик «Память: повысить приоритет системного кэша» — для постоянного эффекта\n• Кнопка «Включить движок» (вкладка AI) — автоматическая чистка Standby List";
inline constexpr std::wstring_view kNetwork = L"Сетевые твики, которые реально помогают:\n\n• TCP-задержки на каждом адаптере (TcpAckFrequency=1)\n• Отключить EEE\n• Отключить Interrupt Moderation (Intel/Realtek)\n• NetworkThrottlingIndex = FFFFFFFF";
inline constexpr std::wstring_view kIntelCpuTail = L".\n\nСамый ощутимый прирост:\n• Отключение митигаций Spectre/Meltdown — до 10–15%\n• Стабилизация таймера через BCD\n• Win32PrioritySeparation = 38";
inline constexpr std::wstring_view kRyzen = L"AMD Ryzen — современный CPU, агрессивные твики не нужны. Включи:\n• Высокий план питания\n• USB Power Save выкл\n• Win32PrioritySeparation = 38";
inline constexpr std::wstring_view kPrivacy = L"Для приватности:\n• Снизить уровень телеметрии\n• Отключить DiagTrack\n• Отключить рекламный идентификатор";
inline constexpr std::wstring_view kCleanup = L"В сайдбаре есть «Очистить временные» (TEMP, Prefetch) и «Очистить корзину». А во вкладке Pro есть тяжелая «Component Store cleanup» — освобождает 5–15 ГБ.";
inline constexpr std::wstring_view kRollback = L"Откатить можно тремя способами:\n1. Кнопка «Откатить» рядом с конкретным твиком\n2. Дабл-клик на .reg файле в %ProgramData%\\Vantorix\\Backups\n3. Восстановление системы Windows — точки создаются автоматически перед агрессивными твиками";
inline constexpr std::wstring_view kHelp = L"Что я умею:\n• Знаю твоё железо: спроси «что у меня»\n• Подбираю советы под игру/симптом: «лагает в апексе», «тарков фризит»\n• Объясняю агрессивные твики: «зачем нужен MSI Mode»\n• Помню разговор и учусь на твоих оценках 👍/👎\n• Применяю набор твиков по кнопке «Применить рекомендации»";
inline constexpr std::wstring_view kFallbackExamples = L"Не уверен что точно ты имеешь в виду. Спроси, например:\n• «что у меня за железо»\n• «как снизить input lag»\n• «что улучшить для игр»\n• «оцени мой пк»";

}  // namespace vx::replytext
