// What the host-fact operations promise, on both backends: a real version, the well-known folders
// (existing, without a trailing backslash except the temp path), environment variables read
// through a 260-character buffer, plausible clocks and hardware readings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/text.h"
#include "platform/files.h"
#include "platform/scene.h"
#include "platform/system.h"

namespace vx {
namespace {

class SystemContract : public ::testing::Test {
 protected:
  void SetUp() override { scene::reset(); }
};

bool isFolder(const std::wstring& path) { return fileStatus(path).kind == FileKind::Directory; }

bool endsWithFolded(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() && equalsFolded(std::wstring_view(text).substr(text.size() - tail.size()), tail);
}

TEST_F(SystemContract, WindowsVersionIsReal) {
  const WindowsVersion v = getWindowsVersion();
  EXPECT_GE(v.major, 6u);
  EXPECT_GT(v.build, 0u);
}

TEST_F(SystemContract, WellKnownFoldersExist) {
  const auto windows = windowsDirectory();
  const auto system = systemDirectory();
  const auto temp = tempDirectory();
  const auto programData = programDataFolder();
  ASSERT_TRUE(windows && system && temp && programData);

  EXPECT_TRUE(endsWithFolded(*system, L"\\system32")) << *system;
  EXPECT_TRUE(equalsFolded(system->substr(0, windows->size() + 1), *windows + L"\\")) << "system32 below Windows";
  EXPECT_EQ(temp->back(), L'\\') << "GetTempPathW ends the path with a backslash";
  EXPECT_NE(programData->back(), L'\\');
  for (const auto& folder : {*windows, *system, *temp, *programData}) EXPECT_TRUE(isFolder(folder)) << folder;
}

TEST_F(SystemContract, EnvironmentVariablesReadThroughA260CharacterBuffer) {
  const auto systemRoot = environmentVariable(L"SystemRoot");
  ASSERT_TRUE(systemRoot.has_value());
  EXPECT_TRUE(equalsFolded(*systemRoot, windowsDirectory().value_or(L"?")));
  EXPECT_EQ(environmentVariable(L"SYSTEMROOT"), systemRoot) << "names ignore case";
  EXPECT_FALSE(environmentVariable(L"VX_CONTRACT_NEVER_SET").has_value());

  struct Case {
    const wchar_t* name;
    std::size_t length;
    bool present;
  };
  const Case cases[] = {
      {L"VX_CONTRACT_EMPTY", 0, true},  // exists with an empty value: not the same as missing
      {L"VX_CONTRACT_SHORT", 5, true},
      {L"VX_CONTRACT_259", 259, true},  // with its terminator it just fits
      {L"VX_CONTRACT_260", 260, false},
      {L"VX_CONTRACT_300", 300, false},
  };
  for (const Case& c : cases) {
    const std::wstring value(c.length, L'x');
    scene::setEnvironmentVariable(c.name, value);
    const auto read = environmentVariable(c.name);
    EXPECT_EQ(read.has_value(), c.present) << c.name;
    if (c.present && read) {
      EXPECT_EQ(*read, value) << c.name;
    }
    scene::setEnvironmentVariable(c.name, std::nullopt);
    EXPECT_FALSE(environmentVariable(c.name).has_value()) << c.name << " removed";
  }

  scene::setEnvironmentVariable(L"VX_CONTRACT_CYRILLIC", L"Каталог Ёлки");
  EXPECT_EQ(environmentVariable(L"VX_CONTRACT_CYRILLIC"), L"Каталог Ёлки");
  scene::setEnvironmentVariable(L"VX_CONTRACT_CYRILLIC", std::nullopt);
}

bool plausible(const CalendarTime& t) {
  return t.year >= 2020 && t.year < 2200 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
         t.hour < 24 && t.minute < 60 && t.second < 60 && t.milliseconds < 1000;
}

long long minutesOf(const CalendarTime& t) {
  return ((t.year * 400LL + t.month * 32LL + t.day) * 24 + t.hour) * 60 + t.minute;
}

TEST_F(SystemContract, ClocksArePlausibleAndTheSteadyClockMoves) {
  const CalendarTime local = localTime();
  const CalendarTime utc = utcTime();
  EXPECT_TRUE(plausible(local));
  EXPECT_TRUE(plausible(utc));
  // Time zones lie within -12..+14 hours of UTC (counted loosely across a month end).
  if (local.year == utc.year && local.month == utc.month) {
    EXPECT_LE(std::llabs(minutesOf(local) - minutesOf(utc)), 14 * 60);
  }

  // On the simulated machine waiting moves its clock by exactly the time asked for; a real sleep
  // may be a little longer, never much shorter.
  const std::int64_t before = steadyNanoseconds();
  scene::waitMs(60);
  const std::int64_t after = steadyNanoseconds();
  EXPECT_GE(after - before, 50'000'000) << "waiting 60 ms moved the steady clock by " << (after - before) << " ns";
  EXPECT_LT(after - before, 60'000'000'000LL);
}

TEST_F(SystemContract, HardwareReadingsArePlausible) {
  const auto memory = memoryStatus();
  ASSERT_TRUE(memory.has_value());
  EXPECT_GT(memory->totalPhysBytes, 0u);
  EXPECT_LE(memory->availPhysBytes, memory->totalPhysBytes);
  EXPECT_LE(memory->loadPercent, 100u);

  EXPECT_EQ(cpuVendor().size(), 12u) << "CPUID leaf 0 gives 12 characters";
  EXPECT_GE(logicalProcessorCount(), 1u);
}

}  // namespace
}  // namespace vx
