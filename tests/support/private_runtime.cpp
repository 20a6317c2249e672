// Compiled into every test binary: each test process gets a runtime folder of its own.
// The mouse lock files live there, named by the mouse's location, which every emulated
// mouse shares; tests running side by side in one folder would wait for each other's
// holds, and a test on the manual clock would count those waits as its own.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

class PrivateRuntimeFolder {
 public:
  PrivateRuntimeFolder() : owner_(::getpid()) {
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "velt-test-runtime-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;  // the tests then use what is set
    path_ = pattern;
    ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
  }
  ~PrivateRuntimeFolder() {
    // A forked child that exits normally must not take the parent's folder with it.
    if (path_.empty() || ::getpid() != owner_) return;
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }

 private:
  pid_t owner_;
  std::string path_;
};

const PrivateRuntimeFolder folder;

}  // namespace
