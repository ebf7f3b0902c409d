// The smallest proof that the build and test rig works: C++17, and GoogleTest found and run.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace {

TEST(RigSmoke, CompilesAsCpp17) { EXPECT_EQ(__cplusplus, 201703L); }

TEST(RigSmoke, Cpp17LibraryIsThere) {
  std::optional<std::string_view> word = std::string_view("mapa");
  ASSERT_TRUE(word.has_value());
  EXPECT_EQ(word->size(), 4u);
}

}  // namespace
