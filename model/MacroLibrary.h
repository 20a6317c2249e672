#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/file_writer.h"
#include "model/Macro.h"
#include "model/plist_file.h"

namespace velt {

class MacroView;

// The macro library: every recorded macro and every macro a profile brought along, in
// order, stored as one file per macro plus "macroList.plist" in the macro folder.
class MacroLibrary {
 public:
  static constexpr int32_t kFirstMacroID = 16;
  static constexpr std::string_view kListFileName = "macroList.plist";

  explicit MacroLibrary(FileWriter& writer = systemFileWriter()) : writer_(&writer) {}

  // The view and bounds that macros made by the library (read from disk, added from a
  // profile) are laid out for.
  void setLayout(MacroView* view, const ItemRect& bounds);
  // Remembers the folder, creating it with its parents; false when that fails.
  bool setMacroPath(std::string folder);
  const std::string& macroPath() const { return folder_; }

  // Writes the macro files, then the list file, then removes the macro files the list
  // no longer names: at every moment the list on disk names files that hold its
  // macros. A macro keeps the file it has, so no file the list on disk names is
  // overwritten with another macro, and new files avoid every name in the folder. A
  // macro file (and the list) is written only when it differs from what was last read
  // from it or written to it, or is gone. Only files that the library read its macros
  // from, wrote, or found named by its list are ever removed, and temporary files of
  // its own writes; a file it never knew stays. False (nothing more written) at the
  // first failed file operation, and without writing anything when the folder is not
  // set or does not exist.
  bool saveMacroItems();
  // Appends the macros the list file names, then every other macro file of the folder
  // (in the order of their IDs, a taken ID replaced by a new one), so that no macro on
  // disk is left out. A list entry is used as it stands; a relative one, or an
  // absolute one that is gone (a moved home), is looked for by its file name in the
  // folder. Entries whose file is missing are dropped. Entries whose file is there but
  // cannot be read, and entries beyond the limits of limits.h, are not read but stay
  // listed, with their files, at the next write. A list that is there but cannot be
  // read is set aside like a profile file ("macroList.plist.corrupt-YYYYMMDD-HHMMSS").
  // False only when no folder is set.
  bool readMacroItems();
  // What the user is told about the last read, one line each: a list set aside, a
  // macro file that cannot be read.
  const std::vector<std::string>& readNotices() const { return notices_; }

  const std::vector<std::unique_ptr<Macro>>& macros() const { return macros_; }
  // The first macro with the ID (compared as 32 bits, so a profile copy's unsigned ID
  // finds its macro).
  Macro* macroWithID(int64_t id) const;
  // A new, empty macro with the next ID, appended.
  Macro& createMacro(std::string name);
  void addMacro(std::unique_ptr<Macro> macro);
  // A profile's button macro joins unless a macro with its ID is there already; its
  // empty events are dropped. True when it was added.
  bool addMacro(const MacroData& data);
  // Takes every macro with the ID out of the list; their files go at the next write.
  bool removeMacro(int64_t id);
  // One above the highest ID, and 16 for the first macro; the lowest free ID from 16
  // when the highest is the largest a macro can hold.
  int32_t nextMacroID() const;
  // The copy a profile keeps of a library macro.
  std::optional<MacroData> macroData(int64_t id) const;

  static std::string listFilePath(const std::string& folder);

 private:
  std::unique_ptr<Macro> newMacro(int64_t id, std::string name) const;
  std::string nameInFolder(const std::string& path) const;
  std::string locateEntry(const std::string& entry) const;
  struct ReadBudget;
  void readListed(const TextDict& list, ReadBudget& budget);
  size_t adoptUnlisted(ReadBudget& budget);
  void noteUnreadable(const std::string& path, const FileReadError& error);
  void setListAside(const FileReadError& error, size_t adopted);
  std::vector<std::string> foreignNames() const;
  bool removeUnlisted(const std::vector<std::string>& listed);

  FileWriter* writer_;
  MacroView* view_ = nullptr;
  ItemRect bounds_;
  std::string folder_;
  std::vector<std::unique_ptr<Macro>> macros_;
  // What a file in the folder holds, as last read from it or written to it.
  struct StoredMacro {
    std::string file;
    MacroData content;
  };
  bool isStored(const Macro& macro, const std::string& file) const;
  void rememberList(const TextDict& list, int64_t count);
  // The file in the folder that the list on disk names for a macro, with the macro as
  // that file holds it; the macro keeps the file at the next write.
  std::unordered_map<const Macro*, StoredMacro> files_;
  // The list file's entries as last read or written; empty when unknown.
  TextEntries storedList_;
  // List entries not read (beyond the limits, or a file that could not be read), in
  // list order.
  std::vector<std::string> unread_;
  // The files in the folder that are the library's to remove once no list names them:
  // those it read macros from, wrote, or found named by a list it read or wrote.
  std::unordered_set<std::string> known_;
  std::vector<std::string> notices_;
};

}  // namespace velt
