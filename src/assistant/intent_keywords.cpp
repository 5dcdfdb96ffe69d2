#include "assistant/intent_keywords.h"

namespace vx {

namespace {

using namespace std::string_view_literals;

constexpr std::wstring_view kGreeting[] = {L"привет"sv, L"hello"sv, L"здаров"sv, L"здрав"sv, L"hey"sv, L"hi"sv};
constexpr std::wstring_view kMyPc[] = {L"какое у меня"sv, L"что у меня"sv, L"мой пк"sv,   L"моё железо"sv,
                                       L"мое железо"sv,   L"конфиг"sv,     L"спецификац"sv};
constexpr std::wstring_view kAdvice[] = {L"что сделать"sv, L"что применить"sv, L"что улучшить"sv, L"оптимизир"sv,
                                         L"посовет"sv,     L"советы"sv,        L"рекоменд"sv};
constexpr std::wstring_view kExplain[] = {L"почему"sv, L"зачем"sv, L"что это"sv, L"объясни"sv, L"расскажи про"sv};
constexpr std::wstring_view kRollback[] = {L"откат"sv, L"вернуть"sv, L"восстанов"sv, L"отмен"sv};
constexpr std::wstring_view kHelp[] = {L"помощь"sv, L"help"sv, L"что ты умеешь"sv, L"команды"sv};
constexpr std::wstring_view kInputLag[] = {L"input lag"sv, L"задержк"sv, L"лаг"sv, L"инпут"sv, L"input"sv};
constexpr std::wstring_view kGames[] = {L"игра"sv,    L"игр "sv,    L"fps"sv,       L"фпс"sv,      L"стуттер"sv,
                                        L"stutter"sv, L"фриз"sv,    L"микрофриз"sv, L"frametime"sv};
constexpr std::wstring_view kMemory[] = {L"памят"sv, L"озу"sv, L"ram"sv, L"standby"sv};
constexpr std::wstring_view kNetwork[] = {L"пинг"sv, L"сеть"sv, L"онлайн"sv, L"ping"sv, L"latency"sv};
constexpr std::wstring_view kCpu[] = {L"процессор"sv, L"cpu"sv, L"intel"sv, L"amd"sv, L"ryzen"sv,   L"i3-"sv,
                                      L"i5-"sv,       L"i7-"sv, L"i9-"sv,   L"spectre"sv, L"meltdown"sv};
constexpr std::wstring_view kGpu[] = {L"видеокарт"sv, L"gpu"sv,  L"nvidia"sv, L"radeon"sv,
                                      L"rx "sv,       L"rtx "sv, L"gtx "sv,   L"шейдер"sv};
constexpr std::wstring_view kPrivacy[] = {L"телеметр"sv, L"конфиденц"sv, L"шпион"sv, L"приватн"sv, L"privacy"sv};
constexpr std::wstring_view kCleanup[] = {L"мусор"sv, L"очист"sv, L"освобод"sv, L"место"sv, L"диск забит"sv};
constexpr std::wstring_view kDrivers[] = {L"драйвер"sv, L"driver"sv, L"свежий"sv, L"актуальн"sv, L"новый драйвер"sv};
constexpr std::wstring_view kScore[] = {L"оценка"sv, L"оптимизирован"sv, L"баллов"sv, L"score"sv, L"насколько"sv};

constexpr KeywordGroup kGroups[] = {
    {&IntentSet::greeting, kGreeting}, {&IntentSet::myPc, kMyPc},         {&IntentSet::advice, kAdvice},
    {&IntentSet::explain, kExplain},   {&IntentSet::rollback, kRollback}, {&IntentSet::help, kHelp},
    {&IntentSet::inputLag, kInputLag}, {&IntentSet::games, kGames},       {&IntentSet::memory, kMemory},
    {&IntentSet::network, kNetwork},   {&IntentSet::cpu, kCpu},           {&IntentSet::gpu, kGpu},
    {&IntentSet::privacy, kPrivacy},   {&IntentSet::cleanup, kCleanup},   {&IntentSet::drivers, kDrivers},
    {&IntentSet::score, kScore},
};

constexpr std::wstring_view kGames32[] = {
    L"valorant"sv, L"csgo"sv,    L"cs2"sv,     L"counter strike"sv, L"counter-strike"sv, L"апекс"sv,
    L"apex"sv,     L"fortnite"sv, L"фортнайт"sv, L"дота"sv,         L"dota"sv,           L"warzone"sv,
    L"варзон"sv,   L"лол"sv,     L"league"sv,  L"rust"sv,           L"раст"sv,           L"tarkov"sv,
    L"тарков"sv,   L"r6"sv,      L"siege"sv,   L"сидж"sv,           L"witcher"sv,        L"ведьмак"sv,
    L"cyberpunk"sv, L"киберпанк"sv, L"gta"sv,  L"гта"sv,            L"minecraft"sv,      L"майнкрафт"sv,
    L"genshin"sv,  L"геншин"sv,
};

constexpr std::wstring_view kFollowUps[] = {L"ещё"sv,     L"еще"sv,      L"и что"sv,           L"продолжи"sv,
                                            L"далее"sv,   L"дальше"sv,   L"расскажи больше"sv, L"подробнее"sv};

}  // namespace

std::span<const KeywordGroup> keywordGroups() { return kGroups; }
std::span<const std::wstring_view> gameNames() { return kGames32; }
std::span<const std::wstring_view> followUpWords() { return kFollowUps; }

}  // namespace vx
