#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "emulator/firmware_store.h"
#include "emulator/mouse_state.h"

namespace velt {

// The folder that holds one emulated mouse, shared by every process that names it:
//   "mouse-state"        the state (state_text.h), replaced atomically
//   "mouse-state.bad"    a state file that could not be read, kept for inspection
//   "firmware.incoming"  the firmware image while the bootloader receives it
//   "firmware.bin"       the last firmware image stored
//   "lock"               flock()ed around every transfer
class StateDir : public FirmwareStore {
 public:
  // Creates the folder with its parents and opens its lock file.
  static std::unique_ptr<StateDir> open(const std::string& dir, std::string& error);
  ~StateDir() override;

  // With the folder locked: reads the state, runs `change` on it, and writes it back
  // if it changed. False when `change` returns false or the state cannot be written.
  bool transact(const std::function<bool(MouseState& state)>& change);

  bool clearIncoming() override;
  bool writeIncomingBlock(uint16_t block, std::span<const uint8_t> data) override;
  std::optional<std::vector<uint8_t>> storeIncoming(uint16_t blocks) override;

  const std::string& path() const { return dir_; }

 private:
  StateDir(std::string dir, int lockFd) : dir_(std::move(dir)), lockFd_(lockFd) {}
  std::string file(const char* name) const { return dir_ + "/" + name; }
  MouseState load();
  bool save(const std::string& text);

  std::string dir_;
  int lockFd_;
  // flock excludes other open files, not threads sharing this one.
  std::mutex mutex_;
};

}  // namespace velt
