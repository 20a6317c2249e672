#pragma once

#include <stdlib.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "tests/support/temp_folder.h"

namespace velt::test {

// Sets (or, with nullopt, unsets) an environment variable for the life of the object,
// then puts back what was there.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = getenv(name_.c_str())) old_ = old;
    if (value)
      setenv(name_.c_str(), value->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_.c_str(), old_->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// HOME at an empty temporary folder for the life of the object, so that nothing a test
// runs reads or writes the real home. The XDG folder variables are unset meanwhile:
// they would lead there too.
class ScopedHome {
 public:
  ScopedHome() {
    env_.emplace_back("HOME", home_.path().substr(0, home_.path().size() - 1));
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
      env_.emplace_back(name, std::nullopt);
  }

  // The home folder, ending with a separator.
  const std::string& path() const { return home_.path(); }

 private:
  TempFolder home_;
  std::deque<ScopedEnv> env_;  // a deque: ScopedEnv does not move
};

}  // namespace velt::test
