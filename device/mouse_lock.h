#pragma once

#include <cstdint>
#include <mutex>
#include <string>

namespace velt {

// One program, and one thread, at a time on one mouse.
//
// The mouse has a single status register: a frame that another program sends
// between our command and its handshake or reply takes that handshake or reply. So
// every program of the suite holds the mouse for each exchange, and for whole
// sequences that must not be interleaved (an apply, a firmware update):
//
// - Across processes: an flock on "velt-mouse-<location ID, 8 hex digits>.lock" in
//   the user's runtime folder (lockFolder()). The kernel releases it when a program
//   dies, so a crash never leaves the mouse locked.
// - Inside a process: one holding thread at a time (the updater's worker thread and
//   the user-interface thread); the holding thread may nest holds freely.
//
// Every device function holds a MouseLock for its whole exchange (send, handshake,
// reply, data blocks), and opening and closing the current-device slot waits for the
// exchange in progress. A caller holds one around a sequence:
//
//   MouseLock mouse;                       // waits for other programs and threads
//   IsMakesureOpen();                      // the file is keyed by the mouse's
//   Write_profile(...); Set_current_...;   //   location: taken at the first command
//
// The lock file belongs to the mouse in the slot when the hold begins; when the slot
// is empty then (or holds another mouse later), the first command of the sequence
// takes that mouse's file and the sequence keeps it until it ends.
//
// The once-a-second profile poll must skip a beat rather than wait:
//
//   if (!IsOpen() || m_bWrittingData) return;
//   MouseLock mouse(std::try_to_lock);
//   if (!mouse.held()) return;             // another program or thread has the mouse
//   uint8_t id = 0;
//   if (Get_current_profile_id(id) != kResultSuccess) return;
//   ...
class MouseLock {
 public:
  // Waits until this thread holds the mouse.
  MouseLock();
  // Holds the mouse only if that needs no waiting; held() says whether it does.
  explicit MouseLock(std::try_to_lock_t);
  ~MouseLock();
  MouseLock(const MouseLock&) = delete;
  MouseLock& operator=(const MouseLock&) = delete;

  bool held() const { return held_; }

 private:
  bool held_ = false;
};

// Holds the current-device slot against the other threads of this process only:
// what opening and closing it take, which exchange nothing with the mouse and so need
// not wait for other programs.
class SlotHold {
 public:
  SlotHold();
  ~SlotHold();
  SlotHold(const SlotHold&) = delete;
  SlotHold& operator=(const SlotHold&) = delete;
};

// Where the lock files live: $XDG_RUNTIME_DIR when it names a folder, otherwise
// "/tmp/velt-<uid>" (created private to the user). Ends with a separator.
std::string lockFolder();

// The lock file of the mouse at `locationId`.
std::string lockFilePath(uint32_t locationId);

}  // namespace velt
