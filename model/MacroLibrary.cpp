#include "model/MacroLibrary.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <unordered_set>
#include <utility>

#include "base/log.h"
#include "model/file_aside.h"
#include "model/limits.h"
#include "model/macro_file_names.h"
#include "model/plist_file.h"

namespace velt {

namespace fs = std::filesystem;

namespace {

// Macros hold 32-bit signed IDs and profile copies 32-bit unsigned ones: an ID names
// the macro whose ID has the same 32 bits.
bool sameID(const Macro& macro, int64_t id) {
  return macro.nID() == static_cast<int32_t>(id);
}

}  // namespace

void MacroLibrary::setLayout(MacroView* view, const ItemRect& bounds) {
  view_ = view;
  bounds_ = bounds;
}

bool MacroLibrary::setMacroPath(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  folder_ = std::move(folder);
  std::error_code error;
  fs::create_directories(folder_, error);
  if (error) logf("cannot create %s: %s", folder_.c_str(), error.message().c_str());
  return !error;
}

std::string MacroLibrary::listFilePath(const std::string& folder) {
  return folder + std::string(kListFileName);
}

bool MacroLibrary::saveMacroItems() {
  std::error_code error;
  if (folder_.empty() || !fs::is_directory(folder_, error)) return false;
  std::vector<std::string> names;
  std::vector<std::string> kept;
  for (const auto& macro : macros_) {
    names.push_back(macro->strName());
    const auto file = files_.find(macro.get());
    kept.push_back(file != files_.end() ? file->second.file : std::string());
  }
  // Every other name in the folder (entries the read left alone, files the library
  // never knew) is taken: no new file may be written over one of them.
  for (const std::string& name : foreignNames()) {
    names.emplace_back();
    kept.push_back(name);
  }
  std::vector<std::string> files = macroFileNames(names, kept);
  files.resize(macros_.size());
  TextEntries list;
  list.emplace_back("macroCount",
                    integerText(static_cast<uint32_t>(macros_.size() + unread_.size())));
  for (size_t i = 0; i < macros_.size(); ++i) {
    const std::string path = folder_ + files[i];
    if (!isStored(*macros_[i], files[i])) {
      if (!macros_[i]->save(path, *writer_)) return false;
      known_.insert(files[i]);
    }
    list.emplace_back("macro" + std::to_string(i), path);
  }
  std::vector<std::string> listed = files;
  for (size_t i = 0; i < unread_.size(); ++i) {
    list.emplace_back("macro" + std::to_string(macros_.size() + i), unread_[i]);
    if (std::string name = nameInFolder(unread_[i]); !name.empty()) listed.push_back(name);
  }
  const bool listStored = list == storedList_ && fs::is_regular_file(listFilePath(folder_), error);
  if (!listStored && !writeXmlPlist(listFilePath(folder_), list, *writer_)) return false;
  storedList_ = list;
  files_.clear();
  for (size_t i = 0; i < macros_.size(); ++i)
    files_[macros_[i].get()] = {files[i], macros_[i]->toMacroData()};
  return removeUnlisted(listed);
}

// The names in the folder that are no library macro's file.
std::vector<std::string> MacroLibrary::foreignNames() const {
  std::unordered_set<std::string> owned;
  for (const auto& [macro, stored] : files_) owned.insert(stored.file);
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (!owned.count(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The macro's file holds the macro as it is now: no need to write it again. A file that
// went missing is written again.
bool MacroLibrary::isStored(const Macro& macro, const std::string& file) const {
  const auto stored = files_.find(&macro);
  if (stored == files_.end() || stored->second.file != file) return false;
  std::error_code error;
  return stored->second.content == macro.toMacroData() &&
         fs::is_regular_file(folder_ + file, error);
}

// The file's name when the path names a file right in the folder.
std::string MacroLibrary::nameInFolder(const std::string& path) const {
  if (folder_.empty() || !path.starts_with(folder_)) return {};
  const std::string name = path.substr(folder_.size());
  return name.find('/') == std::string::npos ? name : std::string();
}

// The files of earlier writes that the new list no longer names, and temporary files
// of the library's own writes that a crash left behind; other files and folders are
// not the library's.
bool MacroLibrary::removeUnlisted(const std::vector<std::string>& listed) {
  std::unordered_set<std::string> keep(listed.begin(), listed.end());
  bool removed = true;
  std::error_code error;
  for (const std::string& name : known_) {
    if (!keep.count(name) && fs::is_regular_file(fs::symlink_status(folder_ + name, error)))
      removed = writer_->removeFile(folder_ + name) && removed;
  }
  known_ = std::move(keep);
  const auto ownTarget = [](const std::string& target) {
    return target == kListFileName ||
           (target.size() > kMacroFileExtension.size() && target.ends_with(kMacroFileExtension));
  };
  return removeStaleTempFiles(folder_, ownTarget, *writer_) && removed;
}

// The list as read, in the order a write would give it, when it holds nothing else: a
// write that would give the same entries need not write it again.
void MacroLibrary::rememberList(const TextDict& list, int64_t count) {
  storedList_.clear();
  if (static_cast<int64_t>(list.size()) != count + 1) return;
  storedList_.emplace_back("macroCount", integerText(static_cast<uint32_t>(count)));
  for (int64_t i = 0; i < count; ++i) {
    const std::string key = "macro" + std::to_string(i);
    const auto entry = list.find(key);
    if (entry == list.end()) {
      storedList_.clear();
      return;
    }
    storedList_.emplace_back(key, entry->second);
  }
  if (dictText(list, "macroCount") != storedList_.front().second) storedList_.clear();
}

// The library reads at most kMaxLibraryMacros files and kMaxLibraryBytes in all.
struct MacroLibrary::ReadBudget {
  int64_t macros = 0;
  uint64_t bytes = 0;
  bool take(const std::string& path) {
    std::error_code error;
    const uintmax_t size = path.empty() ? 0 : fs::file_size(path, error);
    if (!error) bytes += size;
    return ++macros <= kMaxLibraryMacros && bytes <= kMaxLibraryBytes;
  }
};

bool MacroLibrary::readMacroItems() {
  unread_.clear();
  known_.clear();
  storedList_.clear();
  notices_.clear();
  if (folder_.empty()) return false;
  ReadBudget budget;
  TextDict list;
  FileReadError error;
  const bool listRead = readTextDict(listFilePath(folder_), list, error);
  if (listRead) readListed(list, budget);
  const size_t adopted = adoptUnlisted(budget);
  if (!listRead && error.problem != FileProblem::kMissing) setListAside(error, adopted);
  if (adopted > 0) {
    logf("%zu macro files of %s that no list named joined the library", adopted, folder_.c_str());
  }
  return true;
}

// Where a list entry's file is: the path as it stands; a relative one in the folder;
// an absolute one that is gone (a moved or renamed home) by its file name in the
// folder. Empty when it is nowhere.
std::string MacroLibrary::locateEntry(const std::string& entry) const {
  if (entry.empty()) return {};
  std::error_code error;
  const std::string asItStands = entry.front() == '/' ? entry : folder_ + entry;
  if (fs::exists(asItStands, error)) return asItStands;
  const std::string name = fileNameOf(entry);
  if (name.empty() || name == "." || name == "..") return {};
  return fs::exists(folder_ + name, error) ? folder_ + name : std::string();
}

void MacroLibrary::readListed(const TextDict& list, ReadBudget& budget) {
  // A list has at most one entry per key; a count above that names nothing more.
  const int64_t count = std::min(std::max<int64_t>(0, dictInteger(list, "macroCount")),
                                 static_cast<int64_t>(list.size()));
  const auto entry = [&](int64_t i) { return dictText(list, "macro" + std::to_string(i)); };
  int64_t i = 0;
  for (; i < count; ++i) {
    const std::string path = locateEntry(entry(i));
    if (!budget.take(path)) break;
    const std::string name = nameInFolder(path);
    if (!name.empty()) known_.insert(name);
    auto macro = newMacro(0, "");
    FileReadError error;
    if (path.empty() || !macro->read(path, error)) {
      // A file that is there but cannot be read now is not the library's to delete.
      std::error_code typeError;
      const bool there = !path.empty() && fs::is_regular_file(path, typeError);
      logf("macro list entry %lld skipped%s", static_cast<long long>(i),
           there ? "; it stays listed" : "");
      if (there) {
        unread_.push_back(path);
        noteUnreadable(path, error);
      }
      continue;
    }
    if (isMacroFileName(name)) files_[macro.get()] = {name, macro->toMacroData()};
    macros_.push_back(std::move(macro));
  }
  if (i < count) {
    logf(
        "macro list: %lld of %lld entries beyond the limits of %lld macros and %llu bytes "
        "not read; they stay listed",
        static_cast<long long>(count - i), static_cast<long long>(count),
        static_cast<long long>(kMaxLibraryMacros),
        static_cast<unsigned long long>(kMaxLibraryBytes));
  }
  for (; i < count; ++i) {
    std::string path = locateEntry(entry(i));
    if (path.empty()) path = entry(i);
    if (path.empty()) continue;
    if (const std::string name = nameInFolder(path); !name.empty()) known_.insert(name);
    unread_.push_back(std::move(path));
  }
  rememberList(list, count);
}

// The macro files of the folder that no list entry names (the list is missing or
// broken, a crash came between a new file and the list, or the user put one there)
// join the library after the listed ones, by ID then name. Returns how many joined.
size_t MacroLibrary::adoptUnlisted(ReadBudget& budget) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (isMacroFileName(name) && !known_.count(name) && it->is_regular_file(typeError))
      names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  std::vector<std::pair<std::unique_ptr<Macro>, std::string>> adopted;
  for (const std::string& name : names) {
    const std::string path = folder_ + name;
    if (!budget.take(path)) {
      logf("macro files of %s beyond the library's limits are left alone", folder_.c_str());
      break;
    }
    auto macro = newMacro(0, "");
    FileReadError readError;
    if (!macro->read(path, readError)) {
      noteUnreadable(path, readError);
      continue;
    }
    adopted.emplace_back(std::move(macro), name);
  }
  std::stable_sort(adopted.begin(), adopted.end(),
                   [](const auto& a, const auto& b) { return a.first->nID() < b.first->nID(); });
  for (auto& [macro, name] : adopted) {
    known_.insert(name);
    // As the file holds it: a macro given a new ID below is written again.
    files_[macro.get()] = {name, macro->toMacroData()};
    if (macroWithID(macro->nID()) != nullptr) {
      const int32_t id = nextMacroID();
      logf("%s: ID %d is taken; the macro joins as %d", name.c_str(), macro->nID(), id);
      macro->setID(id);
    }
    macros_.push_back(std::move(macro));
  }
  return adopted.size();
}

void MacroLibrary::noteUnreadable(const std::string& path, const FileReadError& error) {
  notices_.push_back("The macro file " + fileNameOf(path) + " cannot be read (" + error.reason +
                     "); it is kept as it is and left out of the macro list.");
}

void MacroLibrary::setListAside(const FileReadError& error, size_t adopted) {
  const std::string path = listFilePath(folder_);
  std::string notice =
      "The macro list " + std::string(kListFileName) + " cannot be read (" + error.reason + "); ";
  if (std::optional<std::string> kept = setFileAside(path, error.problem))
    notice += "the old file is now " + *kept + ". ";
  else
    notice += "it could not be moved aside and is still " + path + ". ";
  notice += "The library was read from the " + std::to_string(adopted) + " macro file" +
            (adopted == 1 ? "" : "s") + " in its folder.";
  reportLine(notice);
  notices_.insert(notices_.begin(), std::move(notice));
}

Macro* MacroLibrary::macroWithID(int64_t id) const {
  for (const auto& macro : macros_) {
    if (sameID(*macro, id)) return macro.get();
  }
  return nullptr;
}

std::unique_ptr<Macro> MacroLibrary::newMacro(int64_t id, std::string name) const {
  auto macro = std::make_unique<Macro>();
  macro->initMacro(view_, id, std::move(name), bounds_);
  return macro;
}

Macro& MacroLibrary::createMacro(std::string name) {
  macros_.push_back(newMacro(nextMacroID(), std::move(name)));
  return *macros_.back();
}

void MacroLibrary::addMacro(std::unique_ptr<Macro> macro) {
  macros_.push_back(std::move(macro));
}

bool MacroLibrary::addMacro(const MacroData& data) {
  if (macroWithID(data.macroID()) != nullptr) return false;
  auto macro = newMacro(data.macroID(), data.macroName());
  macro->appendEvents(data);
  macros_.push_back(std::move(macro));
  return true;
}

bool MacroLibrary::removeMacro(int64_t id) {
  return std::erase_if(macros_, [&](const auto& macro) {
           if (!sameID(*macro, id)) return false;
           files_.erase(macro.get());
           return true;
         }) > 0;
}

int32_t MacroLibrary::nextMacroID() const {
  int64_t highest = kFirstMacroID - 1;
  for (const auto& macro : macros_) highest = std::max<int64_t>(highest, macro->nID());
  if (highest < std::numeric_limits<int32_t>::max()) return static_cast<int32_t>(highest + 1);
  // A file gave the highest ID there is: the lowest free one from 16 instead, so that
  // no two macros share an ID.
  int32_t id = kFirstMacroID;
  while (macroWithID(id) != nullptr) ++id;
  return id;
}

std::optional<MacroData> MacroLibrary::macroData(int64_t id) const {
  const Macro* macro = macroWithID(id);
  if (macro == nullptr) return std::nullopt;
  return macro->toMacroData();
}

}  // namespace velt
