#include "games/supported_games.h"

namespace vx {

namespace {

constexpr SupportedGame kGames[] = {
    {L"Rust", L"RustClient.exe", true},
    {L"CS2", L"cs2.exe", true},
    {L"Roblox", L"RobloxPlayerBeta.exe", false},
    {L"Arc Raiders", L"ARC-Win64-Shipping.exe", true},
    {L"PUBG", L"TslGame.exe", true},
};

}  // namespace

std::span<const SupportedGame> supportedGames() { return kGames; }

}  // namespace vx
