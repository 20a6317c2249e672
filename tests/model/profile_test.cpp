#include "model/Profile.h"

#include <gtest/gtest.h>

namespace velt {
namespace {

MacroData macroOf(uint32_t id, const std::string& name, int events) {
  MacroData m(id, name);
  for (int i = 0; i < events; ++i) m.addEvent(1, 4, i % 2, 10 * i);
  return m;
}

TEST(Profile, FreshProfileHoldsTheDefaults) {
  Profile p;
  EXPECT_EQ(p.profileName(), "profile");
  EXPECT_EQ(p.enable(), 1);
  EXPECT_EQ(p.profileID(), 0);
  EXPECT_EQ(p.profileSize(), 179);
  EXPECT_EQ(p.pollingRate(), 1);
  EXPECT_EQ(p.doubleClickTime(), 1000);
  EXPECT_EQ(p.scrollSpeed(), 2);
  EXPECT_EQ(p.isScrollSpeed(), 1);
  EXPECT_EQ(p.pointerAcceleration(), 1);
  EXPECT_EQ(p.dpiStep(), 2);
  EXPECT_EQ(p.DPIXaxis1(), 2000);
  EXPECT_EQ(p.DPIYaxis3(), 6000);
  EXPECT_EQ(p.pointerSpeed(), 6);
  EXPECT_EQ(p.liftDistance(), 12);
  EXPECT_EQ(p.ledEffects(), 15u);
  EXPECT_EQ(p.ledMode(), 1u);
  EXPECT_EQ(p.logoTypeColor(), Profile::defaultColor());
  const auto macros = p.macroDatas();
  ASSERT_EQ(macros.size(), 7u);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(p.key(i), KeyButton(i));
    EXPECT_EQ(macros[i]->macroName(), "macro" + std::to_string(i + 1));
    EXPECT_EQ(macros[i]->macroID(), 0u);
    EXPECT_EQ(macros[i]->eventCount(), 0u);
  }
}

TEST(Profile, SettersKeepOnlyTheFieldWidth) {
  Profile p;
  p.setPollingRate(300);  // 16 bits: stored as it is
  EXPECT_EQ(p.pollingRate(), 300);
  p.setPointerSpeed(300);  // 8 bits
  EXPECT_EQ(p.pointerSpeed(), 44);
  p.key3().setkeyMacro(0x12345);
  EXPECT_EQ(p.key3().keyMacro(), 0x2345);
  MacroEvent e;
  e.setEventAction(65536 + 7);
  EXPECT_EQ(e.eventAction(), 7);
}

TEST(Profile, ResetKeepsNameSlotAndButtonMacros) {
  Profile p;
  p.setProfileName("Work");
  p.setProfileID(3);
  p.setDPIXaxis1(800);
  p.setEnalbe(0);
  p.key3().setKeyMappingTable(kMacroFunction);
  p.key3().setkeyMacro(16);
  const MacroData copy = macroOf(16, "Copy", 3);
  p.setButtonMacro(p.key3(), &copy);
  p.reset();
  EXPECT_EQ(p.profileName(), "Work");
  EXPECT_EQ(p.profileID(), 3);
  EXPECT_EQ(p.DPIXaxis1(), 2000);
  EXPECT_EQ(p.enable(), 1);
  EXPECT_EQ(p.key3().keyMappingTable(), 2);
  EXPECT_EQ(p.key3().keyMacro(), 0);
  EXPECT_EQ(p.macroData3(), copy);
}

TEST(Profile, SetButtonMacroBindsOnlyToMacroButtons) {
  const MacroData two = macroOf(16, "Copy", 2);
  const MacroData empty(17, "Empty");
  {
    Profile p;  // function 14: bound
    p.key4().setKeyMappingTable(kMacroFunction);
    p.setButtonMacro(p.key4(), &two);
    EXPECT_EQ(p.macroData4(), two);
  }
  {
    Profile p;  // function 13: nothing changes
    p.key4().setKeyMappingTable(kSingleKeyFunction);
    p.key4().setkeyMacro(9);
    p.setButtonMacro(p.key4(), &two);
    EXPECT_EQ(p.key4().keyMappingTable(), kSingleKeyFunction);
    EXPECT_EQ(p.macroData4().eventCount(), 0u);
  }
  for (const MacroData* dropped : {&empty, static_cast<const MacroData*>(nullptr)}) {
    Profile p;  // empty or missing macro: back to the default function
    p.key4().setKeyMappingTable(kMacroFunction);
    p.key4().setkeyMacro(17);
    p.setButtonMacro(p.key4(), dropped);
    EXPECT_EQ(p.key4().keyMappingTable(), 3);
    EXPECT_EQ(p.key4().keyMacro(), 0);
  }
}

TEST(Profile, GetButtonMacroFollowsKeyFunIndex) {
  Profile p;
  p.key2().setKeyFunIndex(5);
  EXPECT_EQ(p.getButtonMacro(p.key2()), &p.macroData6());
  p.key2().setKeyFunIndex(7);
  EXPECT_EQ(p.getButtonMacro(p.key2()), nullptr);
  p.key2().setKeyMappingTable(kMacroFunction);
  const MacroData two = macroOf(16, "Copy", 2);
  p.setButtonMacro(p.key2(), &two);  // position 7: nowhere to bind
  for (const MacroData* m : p.macroDatas()) EXPECT_EQ(m->eventCount(), 0u);
}

TEST(MacroData, CountsEventsAndTellsHoldMacros) {
  MacroData m;
  EXPECT_EQ(m.eventCount(), 0u);
  EXPECT_FALSE(m.isHoldMacro());
  m.addEvent(1, 4, 0, 0);
  m.addEvent(1, 5, 0, 80);
  EXPECT_TRUE(m.isHoldMacro());
  m.addEvent(1, 4, 1, 120);
  EXPECT_FALSE(m.isHoldMacro());
  EXPECT_EQ(m.eventAtIndex(2), MacroEvent(1, 4, 1, 120));
  EXPECT_EQ(m.eventAtIndex(99), MacroEvent());
  m.removeEvents();
  EXPECT_EQ(m.eventCount(), 0u);
  m.addEvent(0, 0, 0, 0);  // an empty event is not looked at
  EXPECT_TRUE(m.isHoldMacro());
}

}  // namespace
}  // namespace velt
