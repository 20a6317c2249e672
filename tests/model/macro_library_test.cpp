#include "model/MacroLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>
#include <set>
#include <utility>

#include "model/limits.h"
#include "model/macro_file_names.h"
#include "model/plist_file.h"
#include "tests/support/temp_folder.h"

namespace velt {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

void addMacro(MacroLibrary& library, const std::string& name, int events) {
  Macro& m = library.createMacro(name);
  for (int i = 0; i < events; ++i) m.addItem(1, i + 1, i % 2, 10 * i, Macro::kAppend);
}

std::set<std::string> filesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// What a library holds: (ID, name, events) of each macro, in order.
std::vector<MacroData> contents(const MacroLibrary& library) {
  std::vector<MacroData> out;
  for (const auto& m : library.macros()) out.push_back(m->toMacroData());
  return out;
}

std::vector<MacroData> reread(const std::string& folder) {
  MacroLibrary library;
  library.setMacroPath(folder);
  library.readMacroItems();
  return contents(library);
}

TEST(MacroLibrary, RoundTripKeepsMacrosIdsAndOrder) {
  TempFolder folder;
  MacroLibrary library;
  ASSERT_TRUE(library.setMacroPath(folder.path() + "Corvel/VELTPLUS/Macros"));
  addMacro(library, "Copy", 3);
  addMacro(library, "Paste", 2);
  ASSERT_TRUE(library.saveMacroItems());
  const std::vector<MacroData> read = reread(library.macroPath());
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read, contents(library));
  EXPECT_EQ(read[0].macroID(), 16u);
  EXPECT_EQ(read[1].macroName(), "Paste");
  EXPECT_EQ(read[1].macroID(), 17u);
}

TEST(MacroLibrary, DeletionRemovesTheFileAtTheNextWrite) {
  TempFolder folder;
  MacroLibrary library;
  library.setMacroPath(folder.path());
  addMacro(library, "Copy", 3);
  addMacro(library, "Paste", 2);
  ASSERT_TRUE(library.saveMacroItems());
  ASSERT_TRUE(library.removeMacro(16));
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(filesIn(folder.path()), (std::set<std::string>{"Paste.macro", "macroList.plist"}));
  TextDict list;
  ASSERT_TRUE(readTextDict(folder.file("macroList.plist"), list));
  EXPECT_EQ(list, (TextDict{{"macroCount", "1"}, {"macro0", folder.file("Paste.macro")}}));
}

TEST(MacroLibrary, WriteLeavesForeignFilesAndClearsStaleTemporaries) {
  TempFolder folder;
  MacroLibrary library;
  library.setMacroPath(folder.path());
  test::writeBytes(folder.file("notes.txt"), "mine");
  test::writeBytes(folder.file(".Copy.macro.tmp-abc123"), "half written");
  addMacro(library, "Copy", 1);
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(filesIn(folder.path()),
            (std::set<std::string>{"Copy.macro", "macroList.plist", "notes.txt"}));
}

TEST(MacroLibrary, IdsFollowTheHighest) {
  MacroLibrary library;
  EXPECT_EQ(library.nextMacroID(), 16);
  addMacro(library, "A", 1);
  addMacro(library, "B", 1);
  library.macroWithID(17)->setID(40);
  EXPECT_EQ(library.nextMacroID(), 41);
  addMacro(library, "C", 1);
  EXPECT_EQ(library.macros().back()->nID(), 41);
  library.removeMacro(41);
  library.removeMacro(40);
  EXPECT_EQ(library.nextMacroID(), 17);
  // A file's macro with the largest ID: new macros still get IDs of their own.
  library.macroWithID(16)->setID(std::numeric_limits<int32_t>::max());
  addMacro(library, "D", 1);
  addMacro(library, "E", 1);
  addMacro(library, "F", 1);
  EXPECT_EQ(library.macros()[1]->nID(), 16);
  EXPECT_EQ(library.macros()[2]->nID(), 17);
  EXPECT_EQ(library.macros()[3]->nID(), 18);
}

TEST(MacroLibrary, CopiesToAndFromProfiles) {
  MacroLibrary library;
  MacroData fromProfile(20, "Profile macro");
  fromProfile.addEvent(1, 4, 0, 0);
  fromProfile.addEvent(0, 0, 0, 0);  // empty events are dropped
  fromProfile.addEvent(1, 4, 1, 50);
  EXPECT_TRUE(library.addMacro(fromProfile));
  EXPECT_FALSE(library.addMacro(MacroData(20, "Same ID")));
  const std::optional<MacroData> copy = library.macroData(20);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(copy->macroName(), "Profile macro");
  ASSERT_EQ(copy->eventCount(), 2u);
  EXPECT_EQ(copy->eventAtIndex(1), MacroEvent(1, 4, 1, 50));
  EXPECT_FALSE(library.macroData(21).has_value());
}

// Two list entries naming one file (as two macros of one name once shared it) give
// two macros with one ID: deleting the ID removes both.
TEST(MacroLibrary, DeletionRemovesEveryMacroWithTheId) {
  TempFolder folder;
  Macro shared;
  shared.initMacro(nullptr, 16, "Twin", {});
  shared.addItem(1, 4, 0, 0, Macro::kAppend);
  ASSERT_TRUE(shared.save(folder.file("Twin.macro")));
  ASSERT_TRUE(
      writeXmlPlist(folder.file("macroList.plist"), {{"macroCount", "2"},
                                                     {"macro0", folder.file("Twin.macro")},
                                                     {"macro1", folder.file("Twin.macro")}}));
  MacroLibrary library;
  library.setMacroPath(folder.path());
  ASSERT_TRUE(library.readMacroItems());
  ASSERT_EQ(library.macros().size(), 2u);
  EXPECT_TRUE(library.removeMacro(16));
  EXPECT_TRUE(library.macros().empty());
  EXPECT_FALSE(library.removeMacro(16));
}

// A profile's macro ID is unsigned: one above 2^31 is stored in the library as the
// same 32 bits and still found, so that re-adding the profile's macros at the next
// start does not add it again.
TEST(MacroLibrary, ProfileMacroWithAHighIdJoinsOnce) {
  TempFolder folder;
  MacroData fromProfile(3000000000u, "High");
  fromProfile.addEvent(1, 4, 0, 0);
  {
    MacroLibrary library;
    library.setMacroPath(folder.path());
    ASSERT_TRUE(library.addMacro(fromProfile));
    ASSERT_TRUE(library.saveMacroItems());
  }
  MacroLibrary library;
  library.setMacroPath(folder.path());
  ASSERT_TRUE(library.readMacroItems());
  EXPECT_FALSE(library.addMacro(fromProfile));
  EXPECT_EQ(library.macros().size(), 1u);
  const std::optional<MacroData> copy = library.macroData(3000000000u);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(*copy, fromProfile);
  EXPECT_TRUE(library.removeMacro(3000000000u));
}

TEST(MacroLibrary, NamesBecomeSafeUniqueFileNames) {
  const std::vector<std::string> names = {"Paste",
                                          "../evil",
                                          "/etc/passwd",
                                          ".hidden",
                                          "",
                                          "a\x01"
                                          "b",
                                          "Same",
                                          "same",
                                          "Same",
                                          std::string(300, 'x'),
                                          "caf\xC3\xA9",
                                          "bad\xFF"};
  const std::vector<std::string> files = macroFileNames(names);
  const std::vector<std::string> expected = {"Paste.macro",       "_._evil.macro",
                                             "_etc_passwd.macro", "_hidden.macro",
                                             "macro.macro",       "a_b.macro",
                                             "Same.macro",        "same-2.macro",
                                             "Same-3.macro",      std::string(200, 'x') + ".macro",
                                             "caf\xC3\xA9.macro", "bad_.macro"};
  EXPECT_EQ(files, expected);
}

TEST(MacroLibrary, MacrosKeepTheirFilesAndNewNamesAvoidThem) {
  const std::vector<std::string> names = {"foo", "Foo", "foo", "Bar", "Bar", "x", "y", "z"};
  const std::vector<std::string> kept = {"foo-3.macro",  // kept although "foo.macro" is free
                                         "",
                                         "FOO-3.macro",  // the same file on macOS: not kept
                                         "Bar.macro",
                                         "Bar.macro",  // shared: only the first keeps it
                                         ".x.macro",   // not a name of this form
                                         "y.plist",
                                         "a:b.macro"};
  const std::vector<std::string> expected = {"foo-3.macro", "Foo.macro", "foo-2.macro", "Bar.macro",
                                             "Bar-2.macro", "x.macro",   "y.macro",     "z.macro"};
  EXPECT_EQ(macroFileNames(names, kept), expected);
  EXPECT_TRUE(isMacroFileName("caf\xC3\xA9-2.macro"));
  for (const char* bad : {".macro", ".x.macro", "a/b.macro", "a\x01.macro", "x.plist"}) {
    EXPECT_FALSE(isMacroFileName(bad)) << bad;
  }
}

TEST(MacroLibrary, HostileAndSharedNamesStayInsideTheFolderAndApart) {
  TempFolder outer;
  const std::string folder = outer.path() + "Macros/";
  MacroLibrary library;
  library.setMacroPath(folder);
  const std::vector<std::string> names = {"../escape", "/tmp/abs", "..", "", "Twin", "Twin"};
  for (size_t i = 0; i < names.size(); ++i) addMacro(library, names[i], static_cast<int>(i) + 1);
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(filesIn(outer.path()), (std::set<std::string>{"Macros"}));
  EXPECT_EQ(filesIn(folder).size(), names.size() + 1);
  const std::vector<MacroData> read = reread(folder);
  ASSERT_EQ(read, contents(library));  // names kept inside the files, twins apart
  EXPECT_EQ(read[0].macroName(), "../escape");
}

TEST(MacroLibrary, ListPathsAreUsedAsTheyStandAndBadEntriesSkipped) {
  TempFolder folder;
  TempFolder elsewhere;
  Macro outside;
  outside.initMacro(nullptr, 30, "Outside", {});
  outside.addItem(1, 4, 0, 0, Macro::kAppend);
  ASSERT_TRUE(outside.save(elsewhere.file("o.macro")));
  ASSERT_TRUE(
      writeXmlPlist(folder.file("macroList.plist"), {{"macroCount", "4"},
                                                     {"macro0", elsewhere.file("o.macro")},
                                                     {"macro1", folder.file("missing.macro")},
                                                     {"macro3", "/dev/zero"}}));
  const std::vector<MacroData> read = reread(folder.path());
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].macroName(), "Outside");
}

TEST(MacroLibrary, HostileListIsBounded) {
  TempFolder folder;
  for (const char* count : {"2147483647", "-5", "many"}) {
    ASSERT_TRUE(writeXmlPlist(folder.file("macroList.plist"), {{"macroCount", count}}));
    EXPECT_TRUE(reread(folder.path()).empty()) << count;
  }
  // Entries naming one large file again and again stop at the library's byte budget.
  Macro padded;
  padded.initMacro(nullptr, 16, std::string(6 << 20, 'x'), {});
  ASSERT_TRUE(padded.save(folder.file("padded.macro")));
  TextEntries entries = {{"macroCount", "20"}};
  for (int i = 0; i < 20; ++i)
    entries.emplace_back("macro" + std::to_string(i), folder.file("padded.macro"));
  ASSERT_TRUE(writeXmlPlist(folder.file("macroList.plist"), entries));
  EXPECT_EQ(reread(folder.path()).size(), 5u);  // 6 MB each, 32 MB in all

  MacroLibrary library;
  library.setMacroPath(folder.file("gone"));
  fs::remove(folder.file("gone"));
  addMacro(library, "A", 1);
  EXPECT_FALSE(library.saveMacroItems());  // folder deleted meanwhile: nothing written
  EXPECT_FALSE(fs::exists(folder.file("gone")));
}

// A library beyond the reading limits (here the byte budget, reached by a large file)
// loads what fits; the entries it left alone stay listed and their files stay, so that
// writing the library does not delete macros it never read.
TEST(MacroLibrary, EntriesBeyondTheLimitsStayListedWithTheirFiles) {
  TempFolder folder;
  const auto saved = [&](int64_t id, const std::string& name) {
    Macro m;
    m.initMacro(nullptr, id, name, {});
    m.addItem(1, 4, 0, static_cast<uint64_t>(id), Macro::kAppend);
    const std::string path = folder.file(name + ".macro");
    EXPECT_TRUE(m.save(path));
    return path;
  };
  const std::string a = saved(16, "A");
  const std::string b = saved(17, "B");
  const std::string big = folder.file("Big.macro");
  test::writeBytes(big, "");
  fs::resize_file(big, kMaxLibraryBytes + 1);  // sparse: its size alone passes the budget
  const std::string c = saved(18, "C");
  const std::string cBytes = test::readBytes(c);
  ASSERT_TRUE(writeXmlPlist(
      folder.file("macroList.plist"),
      {{"macroCount", "4"}, {"macro0", a}, {"macro1", b}, {"macro2", big}, {"macro3", c}}));

  MacroLibrary library;
  library.setMacroPath(folder.path());
  ASSERT_TRUE(library.readMacroItems());
  ASSERT_EQ(library.macros().size(), 2u);
  library.removeMacro(16);
  addMacro(library, "C", 1);  // a new macro of the unread one's name
  ASSERT_TRUE(library.saveMacroItems());

  EXPECT_EQ(filesIn(folder.path()), (std::set<std::string>{"B.macro", "Big.macro", "C.macro",
                                                           "C-2.macro", "macroList.plist"}));
  EXPECT_EQ(test::readBytes(c), cBytes);
  TextDict list;
  ASSERT_TRUE(readTextDict(folder.file("macroList.plist"), list));
  EXPECT_EQ(list, (TextDict{{"macroCount", "4"},
                            {"macro0", b},
                            {"macro1", folder.file("C-2.macro")},
                            {"macro2", big},
                            {"macro3", c}}));
}

// An entry whose file is there but cannot be read (broken, or not readable for now)
// is skipped, yet stays listed and keeps its file; an entry whose file is gone is
// dropped.
TEST(MacroLibrary, UnreadableEntriesStayListedAndMissingOnesAreDropped) {
  TempFolder folder;
  Macro good;
  good.initMacro(nullptr, 16, "A", {});
  good.addItem(1, 4, 0, 0, Macro::kAppend);
  ASSERT_TRUE(good.save(folder.file("A.macro")));
  test::writeBytes(folder.file("Broken.macro"), "not a property list");
  test::writeBytes(folder.file("we:ird.macro"), "<plist><dict><key>macroName");
  ASSERT_TRUE(
      writeXmlPlist(folder.file("macroList.plist"), {{"macroCount", "4"},
                                                     {"macro0", folder.file("Broken.macro")},
                                                     {"macro1", folder.file("gone.macro")},
                                                     {"macro2", folder.file("A.macro")},
                                                     {"macro3", folder.file("we:ird.macro")}}));
  MacroLibrary library;
  library.setMacroPath(folder.path());
  ASSERT_TRUE(library.readMacroItems());
  ASSERT_EQ(library.macros().size(), 1u);
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(filesIn(folder.path()),
            (std::set<std::string>{"A.macro", "Broken.macro", "we:ird.macro", "macroList.plist"}));
  TextDict list;
  ASSERT_TRUE(readTextDict(folder.file("macroList.plist"), list));
  EXPECT_EQ(list, (TextDict{{"macroCount", "3"},
                            {"macro0", folder.file("A.macro")},
                            {"macro1", folder.file("Broken.macro")},
                            {"macro2", folder.file("we:ird.macro")}}));
}

// The system writer, remembering the names of the files it replaced; while `failing`,
// it refuses every replacement.
class RecordingFileWriter : public FileWriter {
 public:
  using FileWriter::replaceFile;
  bool replaceFile(const std::string& path, std::string_view data, std::string& error) override {
    if (failing) {
      error = "refused by the test";
      return false;
    }
    replaced.push_back(fs::path(path).filename().string());
    return systemFileWriter().replaceFile(path, data, error);
  }
  bool removeFile(const std::string& path) override { return systemFileWriter().removeFile(path); }
  std::vector<std::string> takeReplaced() { return std::exchange(replaced, {}); }
  std::vector<std::string> replaced;
  bool failing = false;
};

TEST(MacroLibrary, AWriteReplacesOnlyTheFilesWhoseContentChanged) {
  TempFolder folder;
  {
    MacroLibrary first;
    first.setMacroPath(folder.path());
    for (const char* name : {"Copy", "Paste", "Cut"}) addMacro(first, name, 3);
    ASSERT_TRUE(first.saveMacroItems());
  }
  RecordingFileWriter writer;
  MacroLibrary library(writer);
  library.setMacroPath(folder.path());
  ASSERT_TRUE(library.readMacroItems());
  using Files = std::vector<std::string>;

  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(writer.takeReplaced(), Files{}) << "nothing changed since the read";

  library.macroWithID(17)->addItem(16, 241, 0, 0, Macro::kAppend);
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(writer.takeReplaced(), Files{"Paste.macro"});
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(writer.takeReplaced(), Files{}) << "nothing changed since the last write";

  library.macroWithID(16)->setName("Copy all");
  fs::remove(folder.file("Cut.macro"));
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(writer.takeReplaced(), (Files{"Copy.macro", "Cut.macro"}))
      << "a renamed macro keeps its file; a file gone is written again";

  library.removeMacro(18);
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(writer.takeReplaced(), Files{"macroList.plist"});
  EXPECT_EQ(reread(folder.path()), contents(library));
  EXPECT_EQ(filesIn(folder.path()),
            (std::set<std::string>{"Copy.macro", "Paste.macro", "macroList.plist"}));
}

TEST(MacroLibrary, AMacroWhoseWriteFailedIsWrittenAtTheNextWrite) {
  TempFolder folder;
  RecordingFileWriter writer;
  MacroLibrary library(writer);
  library.setMacroPath(folder.path());
  addMacro(library, "Copy", 2);
  addMacro(library, "Paste", 2);
  ASSERT_TRUE(library.saveMacroItems());
  writer.takeReplaced();

  library.macroWithID(17)->addItem(1, 9, 0, 0, Macro::kAppend);
  writer.failing = true;
  EXPECT_FALSE(library.saveMacroItems());
  writer.failing = false;
  ASSERT_TRUE(library.saveMacroItems());
  EXPECT_EQ(writer.takeReplaced(), std::vector<std::string>{"Paste.macro"});
  EXPECT_EQ(reread(folder.path()), contents(library));
}

// Stops the write of the edited library after each possible number of file
// operations, as a crash or a full disk would. The library read back then starts with
// the old list or the new one: every macro the old list named is there, in its old or
// its new version, unless the edit deleted it. Files the write had made before it
// stopped join after the listed macros, each holding a macro of the old or the new
// library, so nothing is lost and nothing foreign appears.
void expectInterruptedWritesLoseNoMacro(MacroLibrary& before,
                                        const std::function<void(MacroLibrary&)>& edit) {
  const std::vector<MacroData> oldContents = contents(before);
  bool completed = false;
  for (int allowed = 0; !completed; ++allowed) {
    TempFolder folder;
    before.setMacroPath(folder.path());
    ASSERT_TRUE(before.saveMacroItems());

    FailingFileWriter writer(allowed);
    MacroLibrary after(writer);
    after.setMacroPath(folder.path());
    ASSERT_TRUE(after.readMacroItems());
    edit(after);
    const std::vector<MacroData> newContents = contents(after);
    completed = after.saveMacroItems();
    EXPECT_EQ(completed, writer.operations() <= allowed) << allowed;

    const std::vector<MacroData> read = reread(folder.path());
    if (completed) {
      EXPECT_EQ(read, newContents) << allowed;
      continue;
    }
    const bool newList = read.size() >= newContents.size() &&
                         std::equal(newContents.begin(), newContents.end(), read.begin());
    const size_t listed = newList ? newContents.size() : oldContents.size();
    ASSERT_GE(read.size(), listed) << allowed;
    for (size_t i = 0; !newList && i < listed; ++i) {
      EXPECT_EQ(read[i].macroID(), oldContents[i].macroID()) << allowed;
      const Macro* current = after.macroWithID(read[i].macroID());
      const bool newVersion = current != nullptr && read[i] == current->toMacroData();
      EXPECT_TRUE(read[i] == oldContents[i] || newVersion) << allowed << " " << i;
    }
    const auto sameEvents = [](const MacroData& a, const MacroData& b) {
      return a.macroName() == b.macroName() && a.events() == b.events();
    };
    for (size_t i = listed; i < read.size(); ++i) {
      const bool known = std::any_of(oldContents.begin(), oldContents.end(),
                                     [&](const MacroData& m) { return sameEvents(m, read[i]); }) ||
                         std::any_of(newContents.begin(), newContents.end(),
                                     [&](const MacroData& m) { return sameEvents(m, read[i]); });
      EXPECT_TRUE(known) << allowed << " " << i << " " << read[i].macroName();
    }
  }
}

TEST(MacroLibrary, WriteInterruptedAnywhereLosesNoMacro) {
  MacroLibrary before;
  addMacro(before, "Copy", 3);
  addMacro(before, "Paste", 2);
  addMacro(before, "Twin", 1);
  expectInterruptedWritesLoseNoMacro(before, [](MacroLibrary& after) {
    after.removeMacro(16);                 // Copy deleted
    after.macroWithID(17)->removeItems();  // Paste changed
    after.macroWithID(17)->addItem(16, 241, 0, 0, Macro::kAppend);
    addMacro(after, "Twin", 4);  // a second Twin
  });
}

// "foo" has "foo-3.macro" while "Foo-2" holds "Foo-2.macro". Once "Foo-2" is deleted,
// a new "foo" takes "foo-2.macro"; the first "foo" keeps its file, so that the old
// list, still in place until the new one is written, finds it there.
TEST(MacroLibrary, WriteInterruptedAnywhereKeepsMacrosWhoseNamesDifferInCase) {
  MacroLibrary before;
  addMacro(before, "Foo", 1);
  addMacro(before, "Foo-2", 2);
  addMacro(before, "foo", 3);
  expectInterruptedWritesLoseNoMacro(before, [](MacroLibrary& after) {
    after.removeMacro(17);
    after.macroWithID(18)->addItem(16, 242, 0, 0, Macro::kAppend);
    addMacro(after, "foo", 4);
  });
}

}  // namespace
}  // namespace velt
