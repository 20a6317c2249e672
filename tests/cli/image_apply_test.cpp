#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "device/profile_image.h"
#include "model/Profile.h"
#include "model/folders.h"
#include "tests/cli/veltctl_run.h"
#include "tests/emulator/raw_mouse.h"

namespace velt {
namespace {

// A profile file with a two-event macro on button 2.
Profile sampleProfile(const std::string& name) {
  Profile p;
  p.setProfileName(name);
  p.setDPIXaxis1(1000);
  p.key2().setKeyMappingTable(kMacroFunction);
  p.key2().setkeyMacro(16);
  MacroData m(16, "Copy");
  m.addEvent(1, 8, 0, 0);
  m.addEvent(1, 8, 1, 40);
  p.setButtonMacro(p.key2(), &m);
  return p;
}

PROFILE_T decode(const std::string& file) {
  const std::string bytes = test::readBytes(file);
  EXPECT_EQ(bytes.size(), kProfileImageSize);
  std::array<uint8_t, kProfileImageSize> image{};
  std::memcpy(image.data(), bytes.data(), std::min(bytes.size(), image.size()));
  PROFILE_T record;
  Convert_buffer_to_pf(image, record);
  return record;
}

std::string nameOf(const PROFILE_T& record) {
  return std::string(record.name, strnlen(record.name, sizeof record.name));
}

TEST(VeltctlImage, BuildsTheImageOfAProfileFile) {
  MouseFolder folder;
  const std::string plist = folder.path() + "p.plist";
  ASSERT_TRUE(sampleProfile("Work").save(plist));
  const VeltctlRun run =
      runInProcess({"image", plist, "--slot", "2", "-o", folder.path() + "p.bin"});
  ASSERT_EQ(run.status, 0) << run.err;
  const PROFILE_T record = decode(folder.path() + "p.bin");
  EXPECT_EQ(record.profileNumber, 2);
  EXPECT_EQ(nameOf(record), "Work");
  EXPECT_EQ(record.sensor.levels[0].x, 1350);
  EXPECT_EQ(record.sensor.liftDistance, 12);  // the fresh profile's, not in the file
  EXPECT_EQ(record.buttons[1].type, kMacroButtonType);
  EXPECT_EQ(record.buttons[1].macroLength, 2);
}

TEST(VeltctlImage, RefusesMoreThan164MacroEvents) {
  MouseFolder folder;
  Profile p = sampleProfile("Big");
  MacroData big(16, "Big");
  for (int i = 0; i < 165; ++i) big.addEvent(1, 4, 0, 0);
  for (KeyButton* key : {&p.key2(), &p.key3()}) {
    key->setKeyMappingTable(kMacroFunction);
    key->setkeyMacro(16);
    p.setButtonMacro(*key, &big);  // 128 each after the cut: 256 in all
  }
  const std::string plist = folder.path() + "p.plist";
  ASSERT_TRUE(p.save(plist));
  const std::string out = folder.path() + "p.bin";
  const VeltctlRun run = runInProcess({"image", plist, "--slot", "0", "-o", out});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, plist + ": 2 macros with 256 events, the mouse takes 164; no image written\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(VeltctlImage, BadArgumentsAndFiles) {
  MouseFolder folder;
  const std::string out = folder.path() + "p.bin";
  EXPECT_EQ(runInProcess({"image", "x.plist", "--slot", "5", "-o", out}).status, 2);
  EXPECT_EQ(runInProcess({"image", "x.plist", "-o", out}).status, 2);
  const std::string none = folder.path() + "none.plist";
  const VeltctlRun run = runInProcess({"image", none, "--slot", "1", "-o", out});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, none + ": No such file or directory\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

// A path the user chose: a link is followed, permissions are kept, and what is not a
// regular file is refused and left as it was.
TEST(VeltctlImage, OutputPathIsWrittenSafely) {
  MouseFolder folder;
  const std::string plist = folder.path() + "/p.plist";
  ASSERT_TRUE(sampleProfile("Work").save(plist));
  const std::string target = folder.path() + "/target.bin", link = folder.path() + "/link.bin";
  std::ofstream(target) << "old";
  std::filesystem::permissions(
      target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::create_symlink("target.bin", link);
  VeltctlRun run = runInProcess({"image", plist, "--slot", "2", "-o", link});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(test::readBytes(target).size(), kProfileImageSize);
  EXPECT_EQ(std::filesystem::status(target).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  const std::string sub = folder.path() + "/sub";
  std::filesystem::create_directory(sub);
  for (const std::string& refused : {sub, std::string("/dev/null")}) {
    run = runInProcess({"image", plist, "--slot", "2", "-o", refused});
    EXPECT_EQ(run.status, 2) << refused;
    EXPECT_NE(run.err.find(refused + ": cannot write: "), std::string::npos) << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_directory(sub));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

  // The profile file itself, by its name or through a link, is never written over.
  const std::string plistBytes = test::readBytes(plist);
  const std::string plistLink = folder.path() + "/p-link.plist";
  std::filesystem::create_symlink("p.plist", plistLink);
  for (const std::string& same : {plist, plistLink, folder.path() + "/./p.plist"}) {
    run = runInProcess({"image", plist, "--slot", "2", "-o", same});
    EXPECT_EQ(run.status, 2) << same;
    EXPECT_NE(run.err.find(same + ": cannot write: the input file itself"), std::string::npos)
        << run.err;
  }
  EXPECT_EQ(test::readBytes(plist), plistBytes);
}

class VeltctlApply : public testing::Test {
 protected:
  void SetUp() override {
    profiles = folder.path() + "Profiles";
    std::filesystem::create_directories(profiles);
    for (int n = 1; n <= 4; ++n) {  // no file for profile 5: it keeps the defaults
      ASSERT_TRUE(
          sampleProfile("Mine" + std::to_string(n)).save(profiles + "/" + profileFileName(n)));
    }
  }
  VeltctlRun apply(const std::string& current) {
    return runInProcess(
        {"--emulate", folder.mouse(), "apply", "--profiles", profiles, "--current", current});
  }
  std::string storedName(int slot) {
    const std::string out = folder.path() + "slot.bin";
    const VeltctlRun run =
        runInProcess({"--emulate", folder.mouse(), "dump", std::to_string(slot), "-o", out});
    EXPECT_EQ(run.status, 0) << run.err;
    return nameOf(decode(out));
  }

  MouseFolder folder;
  std::string profiles;
};

TEST_F(VeltctlApply, WritesTheFiveProfilesToTheirSlots) {
  const VeltctlRun run = apply("3");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("default5.plist"), std::string::npos);
  EXPECT_EQ(storedName(1), "Mine1");
  EXPECT_EQ(storedName(4), "Mine4");
  EXPECT_EQ(storedName(0), "Profile5");
  const VeltctlRun info = runInProcess({"--emulate", folder.mouse(), "info"});
  EXPECT_NE(info.out.find("profile 3\n"), std::string::npos) << info.out;
}

TEST_F(VeltctlApply, LostTransferAndMissingMouse) {
  {
    test::ScopedEnv faults("VELT_EMULATE_FAULTS", "drop-set=1");  // the liveness check
    const VeltctlRun run = apply("1");
    EXPECT_EQ(run.status, 0) << run.err;
  }
  {
    test::ScopedEnv faults("VELT_EMULATE_FAULTS", "unplug-after=0");
    const VeltctlRun run = apply("1");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("no VELT mouse found\n"), std::string::npos) << run.err;
  }
  {
    test::ScopedEnv faults("VELT_EMULATE_FAULTS", "unplug-after=20");  // inside the first image
    const VeltctlRun run = apply("1");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("apply: the VELT mouse was lost\n"), std::string::npos) << run.err;
  }
  EXPECT_EQ(apply("7").status, 2);
  EXPECT_EQ(runInProcess({"apply", "--profiles", folder.path() + "none"}).status, 2);
}

// A file that is there but cannot be used stops the apply before the mouse is touched,
// named with its reason; a missing file still means defaults.
TEST_F(VeltctlApply, UnusableFileWritesNothing) {
  Profile big = sampleProfile("Big");
  MacroData events(16, "Big");
  for (int i = 0; i < 100; ++i) events.addEvent(1, 4, 0, 0);
  for (KeyButton* key : {&big.key2(), &big.key3()}) {
    key->setKeyMappingTable(kMacroFunction);
    key->setkeyMacro(16);
    big.setButtonMacro(*key, &events);
  }
  struct Case {
    std::function<void(const std::string&)> make;
    std::string err;
  } cases[] = {
      {[](const std::string& f) { std::ofstream(f) << "not a plist"; },
       "default2.plist: not a property list\n"},
      {[](const std::string& f) { std::filesystem::create_directory(f); },
       "default2.plist: a folder\n"},
      {[&](const std::string& f) { big.save(f); },
       "default2.plist: 2 macros with 200 events, the mouse takes 164\n"},
  };
  for (const Case& c : cases) {
    const std::string file = profiles + "/default2.plist";
    std::filesystem::remove_all(file);
    c.make(file);
    const VeltctlRun run = apply("1");
    EXPECT_EQ(run.status, 2) << c.err;
    EXPECT_EQ(run.err,
              c.err + "default5.plist: no file, defaults used\nnothing written to the mouse\n");
  }
  EXPECT_EQ(storedState(folder.mouse()).profileSlots[2].length, 0) << "the mouse was written";
}

}  // namespace
}  // namespace velt
