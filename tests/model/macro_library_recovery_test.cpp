// The macro library loses no macro file, whatever happened to its list: broken,
// missing, unreadable, relative, naming a home that moved, or silent about files in
// the folder. Each case reads the library, writes it as an apply would, and counts
// the files and macros before and after.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <set>

#include "model/MacroLibrary.h"
#include "model/plist_file.h"
#include "tests/support/temp_folder.h"

namespace velt {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

MacroData savedMacro(const std::string& folder, int32_t id, const std::string& name, int events) {
  Macro macro;
  macro.initMacro(nullptr, id, name, {});
  for (int i = 0; i < events; ++i) macro.addItem(1, 4 + i, i % 2, 10 * i, Macro::kAppend);
  EXPECT_TRUE(macro.save(folder + name + ".macro"));
  return macro.toMacroData();
}

// The macro files of the folder and what each holds.
std::map<std::string, std::string> macroFiles(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".macro")) files[name] = test::readBytes(entry.path());
  }
  return files;
}

std::set<std::string> namesOf(const MacroLibrary& library) {
  std::set<std::string> names;
  for (const auto& macro : library.macros()) names.insert(macro->strName());
  return names;
}

std::vector<std::string> filesStartingWith(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(prefix)) found.push_back(entry.path());
  return found;
}

// A library of Copy (16), Paste (17) and Cut (18), written by the library itself.
class Recovery : public ::testing::Test {
 public:  // the cases' damage functions work on it
  void SetUp() override {
    folder = home.path() + "Corvel/VELTPLUS/Macros/";
    MacroLibrary library;
    ASSERT_TRUE(library.setMacroPath(folder));
    for (const char* name : {"Copy", "Paste", "Cut"}) {
      Macro& macro = library.createMacro(name);
      macro.addItem(1, 4, 0, 0, Macro::kAppend);
      macro.addItem(1, 4, 1, 50, Macro::kAppend);
    }
    ASSERT_TRUE(library.saveMacroItems());
  }
  std::string list() const { return MacroLibrary::listFilePath(folder); }
  void writeList(const TextEntries& entries) { ASSERT_TRUE(writeXmlPlist(list(), entries)); }

  // Reads the library from the folder, then writes it as an apply does.
  MacroLibrary& readAndApply() {
    library.setMacroPath(folder);
    EXPECT_TRUE(library.readMacroItems());
    EXPECT_TRUE(library.saveMacroItems());
    return library;
  }
  // What the next start reads.
  std::set<std::string> namesAtTheNextStart() const {
    MacroLibrary next;
    next.setMacroPath(folder);
    next.readMacroItems();
    return namesOf(next);
  }

  TempFolder home;
  std::string folder;
  MacroLibrary library;
};

const std::set<std::string> kAll = {"Copy", "Paste", "Cut"};

TEST_F(Recovery, ABrokenListIsSetAsideAndEveryMacroFileRead) {
  const std::string listBytes = test::readBytes(list());
  const std::string truncated = listBytes.substr(0, listBytes.size() / 2);
  test::writeBytes(list(), truncated);
  const auto before = macroFiles(folder);

  readAndApply();
  EXPECT_EQ(namesOf(library), kAll);
  EXPECT_EQ(library.macros()[0]->nID(), 16) << "adopted in the order of their IDs";
  EXPECT_EQ(library.macros()[2]->strName(), "Cut");
  EXPECT_EQ(macroFiles(folder), before) << "every macro file kept as it was";
  const auto kept = filesStartingWith(folder, "macroList.plist.corrupt-");
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(test::readBytes(kept[0]), truncated);
  ASSERT_EQ(library.readNotices().size(), 1u);
  EXPECT_NE(library.readNotices()[0].find(kept[0]), std::string::npos) << "names the kept file";
  EXPECT_NE(library.readNotices()[0].find("3 macro files"), std::string::npos);

  TextDict written;
  ASSERT_TRUE(readTextDict(list(), written)) << "the apply wrote a list naming them";
  EXPECT_EQ(dictText(written, "macroCount"), "3");
  EXPECT_EQ(namesAtTheNextStart(), kAll);
}

// Each case damages the list (or the folder) of the three-macro library, reads and
// applies; every macro file stays and every readable macro is in the library.
struct ListCase {
  const char* what;
  std::function<void(Recovery&)> damage;
  std::set<std::string> macros;  // in the library after the read
  size_t notices;
};

class ListCases : public Recovery, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListCases, ApplyKeepsEveryMacroFile) {
  GetParam().damage(*this);
  const auto before = macroFiles(folder);
  readAndApply();
  EXPECT_EQ(namesOf(library), GetParam().macros);
  EXPECT_EQ(library.readNotices().size(), GetParam().notices);
  const auto after = macroFiles(folder);
  for (const auto& [name, bytes] : before) EXPECT_TRUE(after.count(name)) << name << " was deleted";
  EXPECT_EQ(namesAtTheNextStart(), GetParam().macros) << "the written list names them";
}

INSTANTIATE_TEST_SUITE_P(
    MacroLibrary, ListCases,
    ::testing::Values(
        ListCase{"missing", [](Recovery& r) { fs::remove(r.list()); }, kAll, 0},
        ListCase{"a folder",
                 [](Recovery& r) {
                   fs::remove(r.list());
                   fs::create_directory(r.list());
                 },
                 kAll, 1},
        ListCase{"bare file names",
                 [](Recovery& r) {
                   r.writeList({{"macroCount", "3"},
                                {"macro0", "Copy.macro"},
                                {"macro1", "Paste.macro"},
                                {"macro2", "Cut.macro"}});
                 },
                 kAll, 0},
        ListCase{"a home that moved",
                 [](Recovery& r) {
                   const std::string old = r.home.path() + "old-home/Corvel/VELTPLUS/Macros/";
                   r.writeList({{"macroCount", "3"},
                                {"macro0", old + "Copy.macro"},
                                {"macro1", old + "Paste.macro"},
                                {"macro2", old + "Cut.macro"}});
                 },
                 kAll, 0},
        ListCase{"silent about a file the user put there",
                 [](Recovery& r) { savedMacro(r.folder, 40, "Old backup", 3); },
                 {"Copy", "Paste", "Cut", "Old backup"},
                 0},
        ListCase{"naming files that are gone",
                 [](Recovery& r) {
                   fs::remove(r.folder + "Paste.macro");
                   r.writeList({{"macroCount", "4"},
                                {"macro0", r.folder + "Copy.macro"},
                                {"macro1", r.folder + "Paste.macro"},
                                {"macro2", r.folder + "Gone.macro"},
                                {"macro3", r.folder + "Cut.macro"}});
                 },
                 {"Copy", "Cut"},
                 0},
        ListCase{"naming a macro file that cannot be read",
                 [](Recovery& r) {
                   test::writeBytes(r.folder + "Broken.macro", "<plist><dict><key>macroN");
                   r.writeList({{"macroCount", "4"},
                                {"macro0", r.folder + "Copy.macro"},
                                {"macro1", r.folder + "Broken.macro"},
                                {"macro2", r.folder + "Paste.macro"},
                                {"macro3", r.folder + "Cut.macro"}});
                 },
                 kAll, 1},
        ListCase{"silent about a macro file that cannot be read",
                 [](Recovery& r) { test::writeBytes(r.folder + "Half.macro", "<plist><dict>"); },
                 kAll, 1}),
    [](const auto& info) {
      std::string name;
      for (const char* c = info.param.what; *c; ++c) name += std::isalnum(*c) ? *c : '_';
      return name;
    });

// A file whose macro's ID is taken joins under a new ID, so that both can be bound;
// the file is written again with it at the next apply.
TEST_F(Recovery, AnUnlistedMacroWithATakenIdJoinsWithANewOne) {
  const MacroData backup = savedMacro(folder, 16, "Copy backup", 4);
  readAndApply();
  ASSERT_EQ(library.macros().size(), 4u);
  const Macro& joined = *library.macros().back();
  EXPECT_EQ(joined.strName(), "Copy backup");
  EXPECT_EQ(joined.nID(), 19);
  EXPECT_EQ(joined.toMacroData().events(), backup.events());
  EXPECT_EQ(library.macroWithID(16)->strName(), "Copy");
  Macro again;
  ASSERT_TRUE(again.read(folder + "Copy backup.macro"));
  EXPECT_EQ(again.nID(), 19);
}

// A macro the user deletes after its file was adopted goes with the next apply, as any
// deleted macro does; a file that appears while the program runs is not the library's.
TEST_F(Recovery, DeletionStillRemovesFilesTheLibraryKnowsAndOnlyThose) {
  fs::remove(list());
  library.setMacroPath(folder);
  ASSERT_TRUE(library.readMacroItems());
  ASSERT_TRUE(library.removeMacro(17));
  savedMacro(folder, 50, "Dropped in", 1);
  ASSERT_TRUE(library.saveMacroItems());
  const auto files = macroFiles(folder);
  EXPECT_EQ(files.count("Paste.macro"), 0u);
  EXPECT_EQ(files.count("Dropped in.macro"), 1u);
  EXPECT_EQ(files.size(), 3u);
}

// A new macro whose name is a file the library does not own gets another file.
TEST_F(Recovery, NewFilesAvoidFilesTheLibraryDoesNotOwn) {
  library.setMacroPath(folder);
  ASSERT_TRUE(library.readMacroItems());
  const std::string foreign = "not a property list";
  test::writeBytes(folder + "Notes.macro", foreign);
  Macro& notes = library.createMacro("Notes");
  notes.addItem(1, 9, 0, 0, Macro::kAppend);
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(test::readBytes(folder + "Notes.macro"), foreign);
  EXPECT_TRUE(fs::exists(folder + "Notes-2.macro"));
}

TEST_F(Recovery, TemporaryFilesOfItsOwnWritesAreClearedOnly) {
  const std::vector<std::string> own = {".Copy.macro.tmp-a1B2c3", ".macroList.plist.tmp-zzzzzz"};
  const std::vector<std::string> others = {".notes.tmp-a1B2c3", ".Copy.macro.tmp-old",
                                           "Copy.macro.tmp-a1B2c3"};
  for (const auto& name : own) test::writeBytes(folder + name, "half");
  for (const auto& name : others) test::writeBytes(folder + name, "mine");
  readAndApply();
  for (const auto& name : own) EXPECT_FALSE(fs::exists(folder + name)) << name;
  for (const auto& name : others) EXPECT_TRUE(fs::exists(folder + name)) << name;
}

// Runs `check` in a child process as the user nobody, with the folder handed to that
// user: as root every file is readable, so a list of mode 000 needs another user.
void asAnotherUser(const std::string& folder, const std::function<bool()>& check) {
  EXPECT_EXIT(
      {
        if (geteuid() == 0) {
          constexpr uid_t kNobody = 65534;
          for (const auto& entry : fs::recursive_directory_iterator(folder))
            (void)::lchown(entry.path().c_str(), kNobody, kNobody);
          for (fs::path up = folder; up.has_relative_path() && up != fs::temp_directory_path();
               up = up.parent_path())
            (void)::chown(up.c_str(), kNobody, kNobody);
          if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            std::_Exit(2);
        }
        std::_Exit(check() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(Recovery, AListThatCannotBeOpenedIsSetAsideAndEveryMacroFileRead) {
  const std::string listBytes = test::readBytes(list());
  ASSERT_EQ(::chmod(list().c_str(), 0), 0);
  const std::string macros = folder;
  asAnotherUser(home.path(), [&] {
    MacroLibrary lib;
    lib.setMacroPath(macros);
    const bool read = lib.readMacroItems() && namesOf(lib) == kAll;
    const bool told = lib.readNotices().size() == 1 &&
                      lib.readNotices()[0].find("unreadable") != std::string::npos;
    const bool saved = lib.saveMacroItems() && macroFiles(macros).size() == 3;
    MacroLibrary next;
    next.setMacroPath(macros);
    const bool reread = next.readMacroItems() && namesOf(next) == kAll;
    if (!(read && told && saved && reread))
      std::cerr << read << told << saved << reread
                << (lib.readNotices().empty() ? "" : lib.readNotices()[0]);
    return read && told && saved && reread;
  });
  const auto kept = filesStartingWith(folder, "macroList.plist.unreadable-");
  ASSERT_EQ(kept.size(), 1u);
  ::chmod(kept[0].c_str(), 0600);
  EXPECT_EQ(test::readBytes(kept[0]), listBytes);
}

}  // namespace
}  // namespace velt
