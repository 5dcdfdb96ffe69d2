// The short openings the assistant puts before most replies ("Хм, ", "Окей. "), drawn from one
// Mersenne Twister per process. The reply composer draws one per question.
#pragma once
#include <random>
#include <string_view>

namespace vx {

// The next output of the engine modulo 5 picks one of: "", "Хм, ", "Понял. ", "Так, посмотрим. ",
// "Окей. ".
std::wstring_view drawOpening(std::mt19937& random);

// The window's engine: seeded once from std::random_device on first use, never destroyed.
// UI thread only.
std::mt19937& assistantRandom();

}  // namespace vx
