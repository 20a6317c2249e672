#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/scoped_env.h"

namespace velt {
namespace {

std::optional<std::string> env(const char* name) {
  const char* value = getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

TEST(ScopedHome, PointsHomeAtAnEmptyFolderAndPutsEverythingBack) {
  test::ScopedEnv realHome("HOME", "/home/someone");
  test::ScopedEnv config("XDG_CONFIG_HOME", "/home/someone/.config");
  std::string home;
  {
    test::ScopedHome scoped;
    home = *env("HOME");
    EXPECT_EQ(home + "/", scoped.path());
    EXPECT_TRUE(std::filesystem::is_empty(home));
    EXPECT_EQ(env("XDG_CONFIG_HOME"), std::nullopt) << "it would lead to the real home";
  }
  EXPECT_FALSE(std::filesystem::exists(home)) << "removed";
  EXPECT_EQ(env("HOME"), "/home/someone");
  EXPECT_EQ(env("XDG_CONFIG_HOME"), "/home/someone/.config");
}

TEST(ScopedEnv, UnsetsAndRestoresAnAbsentVariable) {
  unsetenv("VELT_SCOPED_ENV_TEST");
  {
    test::ScopedEnv set("VELT_SCOPED_ENV_TEST", "1");
    EXPECT_EQ(env("VELT_SCOPED_ENV_TEST"), "1");
  }
  EXPECT_EQ(env("VELT_SCOPED_ENV_TEST"), std::nullopt);
}

}  // namespace
}  // namespace velt
