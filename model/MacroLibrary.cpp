#include "model/MacroLibrary.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <unordered_set>

#include "base/log.h"
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
  return folder + "macroList.plist";
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
  // Entries the read left alone stay listed, and their files stay as they are.
  std::vector<std::string> unreadFiles;
  for (const std::string& path : unread_) {
    const std::string name = nameInFolder(path);
    if (name.empty()) continue;
    unreadFiles.push_back(name);
    if (!isMacroFileName(name)) continue;  // no new name can be this one
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
    if (!isStored(*macros_[i], files[i]) && !macros_[i]->save(path, *writer_)) return false;
    list.emplace_back("macro" + std::to_string(i), path);
  }
  for (size_t i = 0; i < unread_.size(); ++i) {
    list.emplace_back("macro" + std::to_string(macros_.size() + i), unread_[i]);
  }
  const bool listStored = list == storedList_ && fs::is_regular_file(listFilePath(folder_), error);
  if (!listStored && !writeXmlPlist(listFilePath(folder_), list, *writer_)) return false;
  storedList_ = list;
  files_.clear();
  for (size_t i = 0; i < macros_.size(); ++i)
    files_[macros_[i].get()] = {files[i], macros_[i]->toMacroData()};
  files.insert(files.end(), unreadFiles.begin(), unreadFiles.end());
  return removeUnlisted(files);
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

// Macro files of earlier writes and temporary files a crash left behind; other files
// and folders are not the library's.
bool MacroLibrary::removeUnlisted(const std::vector<std::string>& listed) {
  const std::unordered_set<std::string> keep(listed.begin(), listed.end());
  std::vector<std::string> stale;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const bool macroFile = name.size() > kMacroFileExtension.size() &&
                           name.ends_with(kMacroFileExtension) && !keep.count(name);
    if ((macroFile || isTempFileName(name)) && it->is_regular_file(error)) stale.push_back(name);
  }
  bool removed = !error;
  for (const std::string& name : stale) removed = writer_->removeFile(folder_ + name) && removed;
  return removed;
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

bool MacroLibrary::readMacroItems() {
  TextDict list;
  if (!readTextDict(listFilePath(folder_), list)) return false;
  // A list has at most one entry per key; a count above that names nothing more.
  const int64_t count = std::min(std::max<int64_t>(0, dictInteger(list, "macroCount")),
                                 static_cast<int64_t>(list.size()));
  const auto entry = [&](int64_t i) { return dictText(list, "macro" + std::to_string(i)); };
  unread_.clear();
  uint64_t bytes = 0;
  int64_t i = 0;
  for (; i < count && i < kMaxLibraryMacros; ++i) {
    const std::string path = entry(i);
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    if (!error) bytes += size;
    if (bytes > kMaxLibraryBytes) break;
    auto macro = newMacro(0, "");
    if (path.empty() || !macro->read(path)) {
      // A file that is there but cannot be read now is not the library's to delete.
      const bool there = !path.empty() && fs::is_regular_file(path, error);
      logf("macro list entry %lld skipped%s", static_cast<long long>(i),
           there ? "; it stays listed" : "");
      if (there) unread_.push_back(path);
      continue;
    }
    if (const std::string name = nameInFolder(path); isMacroFileName(name)) {
      files_[macro.get()] = {name, macro->toMacroData()};
    }
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
    if (std::string path = entry(i); !path.empty()) unread_.push_back(std::move(path));
  }
  rememberList(list, count);
  return true;
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
