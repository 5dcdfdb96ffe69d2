// Piped console input: UTF-8 lines with either line end, a last line without one, invalid bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "platform/utf8_lines.h"

namespace vx {
namespace {

TEST(Utf8Lines, LinesOfAStream) {
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  const std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
  ASSERT_NE(file, nullptr);
  const char bytes[] = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n\nx\xFFy\nlast";
  std::fwrite(bytes, 1, sizeof(bytes) - 1, file.get());
  std::rewind(file.get());
  EXPECT_EQ(readUtf8Line(file.get()), L"привет");
  EXPECT_EQ(readUtf8Line(file.get()), L"");
  EXPECT_EQ(readUtf8Line(file.get()), L"x\uFFFDy");
  EXPECT_EQ(readUtf8Line(file.get()), L"last");
  EXPECT_EQ(readUtf8Line(file.get()), std::nullopt);
}

}  // namespace
}  // namespace vx
