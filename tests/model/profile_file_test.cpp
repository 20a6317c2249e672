#include <gtest/gtest.h>

#include <cstring>

#include "model/Profile.h"
#include "model/limits.h"
#include "model/plist_file.h"
#include "tests/support/temp_folder.h"

namespace velt {
namespace {

using test::TempFolder;
using test::writeBytes;

TextDict savedKeys(const Profile& p) {
  TempFolder folder;
  const std::string path = folder.file("p.plist");
  EXPECT_TRUE(p.save(path));
  TextDict dict;
  EXPECT_TRUE(readTextDict(path, dict));
  return dict;
}

void bindMacro(Profile& p, int index, uint32_t id, int events) {
  KeyButton& key = p.key(index);
  key.setKeyMappingTable(kMacroFunction);
  key.setkeyMacro(id);
  MacroData m(id, "Macro" + std::to_string(id));
  for (int i = 0; i < events; ++i) m.addEvent(1, 4 + i, i % 2, 100 * i);
  p.setButtonMacro(key, &m);
}

// Every field of the file set away from its default, so that a key written or read
// under the wrong name shows.
Profile changedProfile() {
  Profile p;
  p.setEnalbe(0);
  p.setProfileName("Gaming");
  p.setProfileSize(1);
  p.setPollingRate(8);
  p.setDoubleClickTime(1400);
  p.setScrollSpeed(6);
  p.setIsScrollSpeed(0);
  p.SetIsScrollPage(1);
  p.setIsPointerAcceleration(1);
  p.setPointerAcceleration(3);
  p.setDPIStep(9);
  p.setIsEnableXPSeparate(1);
  p.setIsEnableRefinedmode(1);
  p.setDPIXaxis1(200);
  p.setDPIXaxis2(300);
  p.setDPIXaxis3(400);
  p.setDPIYaxis1(500);
  p.setDPIYaxis2(600);
  p.setDPIYaxis3(8200);
  p.setPointerSpeed(10);
  p.setQualityAnalyzer(77);
  p.setLEDEffects(0xFFFFFFFFu);
  p.setLEDMode(5);
  p.setScrollWheelColor({0.1, 0.2, 0.3, 0.4});
  p.setDpiIndicotorColor({0.5, 0.6, 0.7, 0.8});
  p.setDpiButtonsColor({0.9, 1.0, 0.0, 0.25});
  p.setLogoTypeColor({0.123456, 0.654321, 0.5, 1.0});
  for (int i = 0; i < 7; ++i) {
    p.key(i).setKeyFunIndex(6 - i);
    p.key(i).setKeyMappingTable(i + 8);
    p.key(i).setkeyMacro(i == 5 ? 65 : 0);
    p.key(i).setDefaultKey(i == 0 ? 4 : i);
  }
  bindMacro(p, 3, 16, 3);
  return p;
}

void expectColorNear(const RgbaColor& a, const RgbaColor& b) {
  EXPECT_NEAR(a.red, b.red, 5e-7);
  EXPECT_NEAR(a.green, b.green, 5e-7);
  EXPECT_NEAR(a.blue, b.blue, 5e-7);
  EXPECT_NEAR(a.alpha, b.alpha, 5e-7);
}

TEST(ProfileFile, RoundTripKeepsEveryStoredField) {
  TempFolder folder;
  Profile saved = changedProfile();
  saved.setLiftDistance(25);
  ASSERT_TRUE(saved.save(folder.file("p.plist")));
  Profile read;
  read.setProfileID(4);
  ASSERT_TRUE(read.read(folder.file("p.plist")));
  EXPECT_EQ(read.profileID(), 4);  // not in the file
  EXPECT_EQ(read.liftDistance(), 25);
  EXPECT_EQ(read.enable(), saved.enable());
  EXPECT_EQ(read.profileName(), saved.profileName());
  EXPECT_EQ(read.profileSize(), saved.profileSize());
  EXPECT_EQ(read.pollingRate(), saved.pollingRate());
  EXPECT_EQ(read.doubleClickTime(), saved.doubleClickTime());
  EXPECT_EQ(read.scrollSpeed(), saved.scrollSpeed());
  EXPECT_EQ(read.isScrollSpeed(), saved.isScrollSpeed());
  EXPECT_EQ(read.isScrollPage(), saved.isScrollPage());
  EXPECT_EQ(read.isPointerAcceleration(), saved.isPointerAcceleration());
  EXPECT_EQ(read.pointerAcceleration(), saved.pointerAcceleration());
  EXPECT_EQ(read.dpiStep(), saved.dpiStep());
  EXPECT_EQ(read.isEnableXPSeparate(), saved.isEnableXPSeparate());
  EXPECT_EQ(read.isEnableRefinedmode(), saved.isEnableRefinedmode());
  EXPECT_EQ(read.DPIXaxis1(), saved.DPIXaxis1());
  EXPECT_EQ(read.DPIXaxis2(), saved.DPIXaxis2());
  EXPECT_EQ(read.DPIXaxis3(), saved.DPIXaxis3());
  EXPECT_EQ(read.DPIYaxis1(), saved.DPIYaxis1());
  EXPECT_EQ(read.DPIYaxis2(), saved.DPIYaxis2());
  EXPECT_EQ(read.DPIYaxis3(), saved.DPIYaxis3());
  EXPECT_EQ(read.pointerSpeed(), saved.pointerSpeed());
  EXPECT_EQ(read.qualityAnalyzer(), saved.qualityAnalyzer());
  EXPECT_EQ(read.ledEffects(), saved.ledEffects());
  EXPECT_EQ(read.ledMode(), saved.ledMode());
  expectColorNear(read.scrollWheelColor(), saved.scrollWheelColor());
  expectColorNear(read.dpiIndicotorColor(), saved.dpiIndicotorColor());
  expectColorNear(read.dpiButtonsColor(), saved.dpiButtonsColor());
  expectColorNear(read.logoTypeColor(), saved.logoTypeColor());
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(read.key(i), saved.key(i)) << i;
    EXPECT_EQ(read.macroData(i), saved.macroData(i)) << i;
  }
}

TEST(ProfileFile, WritesTextValuesInTheirFormats) {
  const TextDict dict = savedKeys(Profile());
  EXPECT_EQ(dict.at("enalbe"), "1");
  EXPECT_EQ(dict.at("profileName"), "profile");
  EXPECT_EQ(dict.at("dipXaxis1"), "2000");
  EXPECT_EQ(dict.at("scrollWheelRed"), "0.023529411764705882");
  EXPECT_EQ(dict.at("dpiIndicotorGreen"), "0.9490196078431372");
  EXPECT_EQ(dict.at("logoAlpha"), "1");
  EXPECT_EQ(dict.at("keyMappingTable7"), "6");
  EXPECT_EQ(dict.at("defaultKey1"), "0");
  EXPECT_EQ(dict.at("liftDistance"), "12");
  EXPECT_EQ(dict.size(), 2u + 21u + 1u + 16u + 28u);  // no macro keys, no slot
}

// Every byte a colour component can stand for goes to the mouse the same after a save
// and a read as before them.
TEST(ProfileFile, EveryColourByteSurvivesASaveAndARead) {
  TempFolder folder;
  for (int byte = 0; byte <= 255; ++byte) {
    Profile p;
    const double c = byte / 255.0;
    p.setScrollWheelColor({c, c, c, 1});
    ASSERT_TRUE(p.save(folder.file("c.plist")));
    Profile back;
    ASSERT_TRUE(back.read(folder.file("c.plist")));
    PROFILE_T before{}, after{};
    p.toPROFILE_T(before);
    back.toPROFILE_T(after);
    ASSERT_EQ(std::memcmp(&before, &after, sizeof before), 0) << byte;
  }
  // Files written elsewhere with fewer digits read as they always did.
  EXPECT_EQ(dictReal({{"r", "0.023529"}}, "r"), 0.023529f);
}

TEST(ProfileFile, WritesKeysInTableOrder) {
  TempFolder folder;
  Profile p;
  bindMacro(p, 0, 16, 1);
  ASSERT_TRUE(p.save(folder.file("p.plist")));
  const std::string xml = test::readBytes(folder.file("p.plist"));
  const char* order[] = {
      "enalbe",          "profileName",  "profileSize",        "dipXaxis1",
      "ledMode",         "liftDistance", "scrollWheelAlpha",   "scrollWheelRed",
      "scrollWheelBlue", "logoBlue",     "keyFunIndex1",       "keyMappingTable1",
      "keyMacro1",       "defaultKey1",  "defaultKey7",        "macroID1",
      "macroName1",      "eventCount1",  "macro1_eventType_0", "macro1_eventDelay_0"};
  size_t last = 0;
  for (const char* key : order) {
    const size_t at = xml.find(std::string("<key>") + key + "</key>");
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_GT(at, last) << key;
    last = at;
  }
}

TEST(ProfileFile, WritesMacroKeysOnlyForAnAssignedMacro) {
  Profile p;
  bindMacro(p, 3, 16, 3);
  TextDict dict = savedKeys(p);
  EXPECT_EQ(dict.at("macroID4"), "16");
  EXPECT_EQ(dict.at("macroName4"), "Macro16");
  EXPECT_EQ(dict.at("eventCount4"), "3");
  int eventKeys = 0;
  for (const auto& [key, value] : dict) eventKeys += key.rfind("macro4_event", 0) == 0;
  EXPECT_EQ(eventKeys, 12);
  EXPECT_EQ(dict.at("macro4_eventType_0"), "1");
  EXPECT_EQ(dict.at("macro4_eventAction_1"), "5");
  EXPECT_EQ(dict.at("macro4_eventDelay_2"), "200");

  p.key4().setKeyMappingTable(2);  // macro still held, no longer assigned
  dict = savedKeys(p);
  for (const auto& [key, value] : dict) EXPECT_EQ(key.find("4_event"), std::string::npos);
  EXPECT_EQ(dict.count("macroID4") + dict.count("macroName4") + dict.count("eventCount4"), 0u);
}

TEST(ProfileFile, NamelessProfileAndMacroAreWrittenWithEmptyNames) {
  Profile p;
  p.setProfileName("");
  bindMacro(p, 0, 16, 2);
  p.macroData1().setName("");
  const TextDict dict = savedKeys(p);
  EXPECT_EQ(dict.at("profileName"), "");
  EXPECT_EQ(dict.at("macroName1"), "");
  EXPECT_EQ(dict.at("eventCount1"), "2");
}

TEST(ProfileFile, MacroBlocksNeedAPositiveEventCount) {
  TempFolder folder;
  Profile p;
  bindMacro(p, 1, 20, 2);
  const MacroData before = p.macroData2();
  for (const char* count : {"0", "-5", "x"}) {
    writeBytes(folder.file("f.plist"), toXmlPlist({{"eventCount2", count}, {"macroID2", "99"}}));
    ASSERT_TRUE(p.read(folder.file("f.plist")));
    EXPECT_EQ(p.macroData2(), before) << count;
  }
}

TEST(ProfileFile, ForeignDictionaryZeroesFieldsAndKeepsTheSlot) {
  TempFolder folder;
  writeBytes(folder.file("f.plist"), toXmlPlist({{"color", "blue"}, {"pollingRate", "4"}}));
  Profile p;
  p.setProfileID(2);
  p.setLiftDistance(30);
  ASSERT_TRUE(p.read(folder.file("f.plist")));
  EXPECT_EQ(p.pollingRate(), 4);
  EXPECT_EQ(p.profileName(), "");
  EXPECT_EQ(p.enable(), 0);
  EXPECT_EQ(p.DPIXaxis1(), 0);
  EXPECT_EQ(p.key(6), KeyButton());
  EXPECT_EQ(p.scrollWheelColor(), RgbaColor());
  EXPECT_EQ(p.profileID(), 2);
  EXPECT_EQ(p.liftDistance(), 12) << "a file without it has the default distance";
  EXPECT_EQ(p.macroData1().macroName(), "macro1");
}

TEST(ProfileFile, ReadingTruncatesToTheFieldWidthAndBoundsEventCounts) {
  TempFolder folder;
  writeBytes(folder.file("f.plist"), toXmlPlist({{"pointerSpeed", "300"},
                                                 {"ledMode", "-1"},
                                                 {"eventCount1", "2147483647"},
                                                 {"macro1_eventAction_0", "70000"},
                                                 {"macro1_eventDelay_1", "12ms"}}));
  Profile p;
  ASSERT_TRUE(p.read(folder.file("f.plist")));
  EXPECT_EQ(p.pointerSpeed(), 44);
  EXPECT_EQ(p.ledMode(), 0xFFFFFFFFu);
  EXPECT_EQ(p.macroData1().eventCount(), static_cast<size_t>(kMaxMacroEvents));
  EXPECT_EQ(p.macroData1().eventAtIndex(0), MacroEvent(0, 70000 & 0xFFFF, 0, 0));
  EXPECT_EQ(p.macroData1().eventAtIndex(1), MacroEvent(0, 0, 0, 12));
}

// Seven button macros of twice the event limit: written whole, the file would be too
// large to read at all; it holds each up to the limit and reads back, settings included.
TEST(ProfileFile, LongMacrosAreWrittenUpToTheLimitAndTheFileReadsBack) {
  TempFolder folder;
  Profile p;
  p.setDPIXaxis1(1234);
  MacroData m(16, "Long");
  for (int64_t i = 0; i < 2 * kMaxMacroEvents; ++i) m.addEvent(1, 4, i % 2, i);
  for (int i = 0; i < 7; ++i) {
    p.key(i).setKeyMappingTable(kMacroFunction);
    p.key(i).setkeyMacro(16);
    p.setButtonMacro(p.key(i), &m);
  }
  ASSERT_TRUE(p.save(folder.file("p.plist")));
  Profile read;
  ASSERT_TRUE(read.read(folder.file("p.plist")));
  EXPECT_EQ(read.DPIXaxis1(), 1234);
  for (int i = 0; i < 7; ++i) {
    ASSERT_EQ(read.macroData(i).eventCount(), static_cast<size_t>(kMaxMacroEvents)) << i;
    EXPECT_EQ(read.macroData(i).eventAtIndex(kMaxMacroEvents - 1),
              m.eventAtIndex(kMaxMacroEvents - 1));
  }
}

TEST(ProfileFile, MissingOrBrokenFileLeavesTheProfileUnchanged) {
  TempFolder folder;
  writeBytes(folder.file("broken.plist"), "<plist><dict><key>enalbe");
  const Profile before = changedProfile();
  for (const char* name : {"missing.plist", "broken.plist"}) {
    Profile p = before;
    EXPECT_FALSE(p.read(folder.file(name)));
    EXPECT_EQ(p.profileName(), "Gaming");
    EXPECT_EQ(p.DPIYaxis3(), 8200);
  }
  Profile p;
  p.setProfilePath(folder.file("own.plist"));
  p.setDPIXaxis2(1234);
  ASSERT_TRUE(p.save());
  Profile q;
  q.setProfilePath(folder.file("own.plist"));
  ASSERT_TRUE(q.read());
  EXPECT_EQ(q.DPIXaxis2(), 1234);
}

}  // namespace
}  // namespace velt
