#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "model/Profile.h"

namespace velt {
namespace {

PROFILE_T build(const Profile& p) {
  PROFILE_T record;
  std::memset(&record.name, 'x', sizeof record.name);  // must be cleared
  p.toPROFILE_T(record);
  return record;
}

void bindMacro(Profile& p, int index, uint32_t id, const MacroData& macro) {
  p.key(index).setKeyMappingTable(kMacroFunction);
  p.key(index).setkeyMacro(id);
  p.setButtonMacro(p.key(index), &macro);
}

MacroData pressesThen(int presses, bool release) {
  MacroData m(16, "M");
  for (int i = 0; i < presses; ++i) m.addEvent(1, i % 100, 0, i);
  if (release) m.addEvent(1, 0, 1, 5);
  return m;
}

void singleKey(Profile& p, uint16_t code) {
  p.key1().setKeyMappingTable(kSingleKeyFunction);
  p.key1().setkeyMacro(code);
}

// Bit k set when the k-th zone of scroll wheel, DPI indicator (all three), DPI
// buttons and logo shows the default green.
unsigned litZones(const PROFILE_T& r) {
  const bool indicator = r.dpiIndicatorLeds[0].green == 242 && r.dpiIndicatorLeds[1].green == 242 &&
                         r.dpiIndicatorLeds[2].green == 242;
  return (r.scrollWheelLed.green == 242 ? 1u : 0u) | (indicator ? 2u : 0u) |
         (r.dpiButtonsLed.green == 242 ? 4u : 0u) | (r.logoLed.green == 242 ? 8u : 0u);
}

struct BuilderCase {
  const char* name;
  std::function<void(Profile&)> change;
  std::function<void(const PROFILE_T&)> check;
};

void PrintTo(const BuilderCase& c, std::ostream* os) {
  *os << c.name;
}

class ProfileImageBuilder : public testing::TestWithParam<BuilderCase> {};

TEST_P(ProfileImageBuilder, FillsTheRecord) {
  Profile p;
  GetParam().change(p);
  GetParam().check(build(p));
}

const BuilderCase kCases[] = {
    {"DefaultProfile", [](Profile&) {},
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.imageLength, 2048);
       EXPECT_EQ(std::string(r.name, 7), "profile");
       EXPECT_EQ(r.name[7], 0);
       EXPECT_EQ(r.enabled, 1);
       EXPECT_EQ(r.pollingRate, 1);
       EXPECT_EQ(r.sensor.dpiLevelCount, 3);
       EXPECT_EQ(r.sensor.dpiStep, 2);
       EXPECT_EQ(r.sensor.liftDistance, 12);
       EXPECT_EQ(r.sensor.levels[0].x, 2700);  // 2000 x 135 / 100
       EXPECT_EQ(r.sensor.levels[1].y, 5400);
       EXPECT_EQ(r.sensor.levels[2].x, 8100);
       const uint8_t codes[7] = {0x01, 0x02, 0x04, 0x10, 0x08, 0xF0, 0xF2};
       for (int i = 0; i < 7; ++i) {
         EXPECT_EQ(r.buttons[i].code, codes[i]) << i;
         EXPECT_EQ(r.buttons[i].trailer, 0x0F);
       }
       EXPECT_EQ(r.buttons[5].type, 0x09);
       EXPECT_EQ(r.scrollWheelLed.green, 242);
       EXPECT_EQ(r.dpiIndicatorLeds[2].red, 6);
       EXPECT_EQ(r.logoLed.mode, 1);
       EXPECT_EQ(r.extraButtons[0].trailer, 0);
     }},
    {"PointerSpeedOne", [](Profile& p) { p.setPointerSpeed(1); },
     [](const PROFILE_T& r) { EXPECT_EQ(r.sensor.levels[0].x, 200); }},
    {"ColorHalfAndFull",
     [](Profile& p) {
       p.setLogoTypeColor({0.5, 1.0, 0.0, 1.0});
     },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.logoLed.red, 127);
       EXPECT_EQ(r.logoLed.green, 255);
       EXPECT_EQ(r.logoLed.blue, 0);
     }},
    {"ColorOutOfRange",
     [](Profile& p) {
       p.setLogoTypeColor({2.0, -1.0, NAN, 1.0});
     },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.logoLed.red, 254);  // 510, low byte
       EXPECT_EQ(r.logoLed.green, 1);  // -255, low byte
       EXPECT_EQ(r.logoLed.blue, 0);
     }},
    {"NoLedEffects",
     [](Profile& p) {
       p.setLEDEffects(0);
       p.setLEDMode(0x1234);
     },
     [](const PROFILE_T& r) {
       for (const LED_ZONE_T* z :
            {&r.scrollWheelLed, &r.logoLed, &r.dpiButtonsLed, &r.dpiIndicatorLeds[0],
             &r.dpiIndicatorLeds[1], &r.dpiIndicatorLeds[2]}) {
         EXPECT_EQ(z->red + z->green + z->blue, 0);
         EXPECT_EQ(z->mode, 0x34);
       }
     }},
    {"OnlyLogoLit", [](Profile& p) { p.setLEDEffects(8); },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.logoLed.green, 242);
       EXPECT_EQ(r.scrollWheelLed.green, 0);
       EXPECT_EQ(r.dpiIndicatorLeds[1].green, 0);
     }},
    {"OnlyScrollWheelLit", [](Profile& p) { p.setLEDEffects(1); },
     [](const PROFILE_T& r) { EXPECT_EQ(litZones(r), 1u); }},
    {"OnlyDpiIndicatorLit", [](Profile& p) { p.setLEDEffects(2); },
     [](const PROFILE_T& r) { EXPECT_EQ(litZones(r), 2u); }},
    {"OnlyDpiButtonsLit", [](Profile& p) { p.setLEDEffects(4); },
     [](const PROFILE_T& r) { EXPECT_EQ(litZones(r), 4u); }},
    {"PointerSpeedZeroTruncatesTowardZero",
     [](Profile& p) {
       p.setPointerSpeed(0);
       p.setDPIXaxis1(2001);
     },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.sensor.levels[0].x, static_cast<uint16_t>(-300));  // -30015 / 100
     }},
    {"PollingRateLowByte", [](Profile& p) { p.setPollingRate(300); },
     [](const PROFILE_T& r) { EXPECT_EQ(r.pollingRate, 44); }},
    {"LongNameHasNoTerminator", [](Profile& p) { p.setProfileName("ABCDEFGHIJKLMNOPQRS"); },
     [](const PROFILE_T& r) { EXPECT_EQ(std::string(r.name, 16), "ABCDEFGHIJKLMNOP"); }},
    {"NonAsciiName", [](Profile& p) { p.setProfileName("Caf\xC3\xA9!"); },
     [](const PROFILE_T& r) { EXPECT_EQ(std::string(r.name), "Caf?!"); }},
    {"SingleKeyA", [](Profile& p) { singleKey(p, 0); },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.buttons[0].type, 0x02);
       EXPECT_EQ(r.buttons[0].code, 4);
     }},
    {"SingleKeyWithoutRow", [](Profile& p) { singleKey(p, 10); },
     [](const PROFILE_T& r) { EXPECT_EQ(r.buttons[0].code, 10); }},
    {"SingleKey200", [](Profile& p) { singleKey(p, 200); },
     [](const PROFILE_T& r) { EXPECT_EQ(r.buttons[0].code, 200); }},
    {"SingleKey300", [](Profile& p) { singleKey(p, 300); },
     [](const PROFILE_T& r) { EXPECT_EQ(r.buttons[0].code, 44); }},
    {"HoldMacro", [](Profile& p) { bindMacro(p, 2, 16, pressesThen(2, false)); },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.buttons[2].type, 3);
       EXPECT_EQ(r.buttons[2].code, 0xFE);
       EXPECT_EQ(r.macros[2].eventCount, 2);
       EXPECT_EQ(r.macros[2].events[1].key, 22);  // key code 1 ("S")
       EXPECT_EQ(r.macros[2].events[1].delay, 1u);
     }},
    {"MacroWithRelease", [](Profile& p) { bindMacro(p, 2, 16, pressesThen(2, true)); },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.buttons[2].code, 0x00);
       EXPECT_EQ(r.macros[2].events[2].state, 1);
     }},
    {"MouseActionPassesThrough",
     [](Profile& p) {
       MacroData m(16, "Click");
       m.addEvent(16, 241, 0, 0);
       m.addEvent(16, 241, 1, 30);
       bindMacro(p, 0, 16, m);
     },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.macros[0].events[0].key, 241);
       EXPECT_EQ(r.macros[0].events[0].eventType, 16);
     }},
    {"MacroKeyKeepsSixteenBits",
     [](Profile& p) {
       MacroData m(16, "Wide");
       m.addEvent(1, 300, 0, 0);
       m.addEvent(1, 0, 1, 0);
       bindMacro(p, 6, 16, m);
     },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.macros[6].events[0].key, 300);  // no row: passes through whole
       EXPECT_EQ(r.macros[6].events[1].key, 4);
     }},
    {"MacroOf130EventsFills128", [](Profile& p) { bindMacro(p, 1, 16, pressesThen(130, false)); },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.macros[1].eventCount, 128);
       EXPECT_EQ(r.macros[1].events[127].delay, 127u);
     }},
    {"MacroIdMismatch",
     [](Profile& p) {
       bindMacro(p, 4, 16, pressesThen(2, true));
       p.key5().setkeyMacro(17);
     },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.buttons[4].type, 3);
       EXPECT_EQ(r.buttons[4].code, 0xFE);
       EXPECT_EQ(r.buttons[4].macroLength, 0);
       EXPECT_EQ(r.macros[4].eventCount, 0);
     }},
    {"MacroButtonWithoutMacro",
     [](Profile& p) {
       p.key1().setKeyMappingTable(kMacroFunction);
       p.key1().setKeyFunIndex(7);  // no button macro at that position
     },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.buttons[0].type, 3);
       EXPECT_EQ(r.buttons[0].code, 0xFE);
       EXPECT_EQ(r.macros[0].eventCount, 0);
     }},
    {"FunctionSevenAndAbove",
     [](Profile& p) {
       p.key1().setKeyMappingTable(7);
       p.key2().setKeyMappingTable(16);
       p.key3().setKeyMappingTable(255);
       p.key4().setKeyMappingTable(15);
       p.key5().setKeyMappingTable(12);
     },
     [](const PROFILE_T& r) {
       for (int i = 0; i < 3; ++i) {
         EXPECT_EQ(r.buttons[i].type, 0);
         EXPECT_EQ(r.buttons[i].code, 0);
       }
       EXPECT_EQ(r.buttons[3].type, 0xFF);
       EXPECT_EQ(r.buttons[4].type, 0x01);
       EXPECT_EQ(r.buttons[4].code, 0xFF);
     }},
    {"SeparateXYAndRefined",
     [](Profile& p) {
       p.setIsEnableXPSeparate(1);
       p.setIsEnableRefinedmode(1);
       p.setDPIYaxis2(1000);
       p.setProfileID(4);
     },
     [](const PROFILE_T& r) {
       EXPECT_EQ(r.profileNumber, 4);
       EXPECT_EQ(r.sensor.refinedMode, 1);
       EXPECT_EQ(r.sensor.levels[2].xySeparate, 1);
       EXPECT_EQ(r.sensor.levels[1].y, 1350);
       EXPECT_EQ(r.sensor.levels[1].x, 5400);
     }},
};

INSTANTIATE_TEST_SUITE_P(EdgeCases, ProfileImageBuilder, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileImageBuilder, MacroStringAndHoldRule) {
  Profile p;
  EXPECT_EQ(p.getMacroString(p.key2()), "macro2");
  p.key2().setKeyFunIndex(9);
  EXPECT_EQ(p.getMacroString(p.key2()), "");
  EXPECT_TRUE(Profile::isHoldMacro(MACRO_T{}));
}

}  // namespace
}  // namespace velt
