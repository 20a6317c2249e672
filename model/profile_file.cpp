#include <algorithm>
#include <string>

#include "base/log.h"
#include "model/Profile.h"
#include "model/limits.h"
#include "model/plist_file.h"

namespace velt {
namespace {

// The integer fields of the file between "profileName" and the colours, in the order
// they are written.
struct IntegerKey {
  const char* key;
  uint32_t (*get)(const Profile&);
  void (*set)(Profile&, uint64_t);
};

#define VELT_INTEGER_KEY(key, getter, setter)                     \
  IntegerKey {                                                    \
    key, [](const Profile& p) -> uint32_t { return p.getter(); }, \
        [](Profile& p, uint64_t v) { p.setter(v); }               \
  }

const IntegerKey kIntegerKeys[] = {
    VELT_INTEGER_KEY("profileSize", profileSize, setProfileSize),
    VELT_INTEGER_KEY("pollingRate", pollingRate, setPollingRate),
    VELT_INTEGER_KEY("doubleClickTime", doubleClickTime, setDoubleClickTime),
    VELT_INTEGER_KEY("scrollSpeed", scrollSpeed, setScrollSpeed),
    VELT_INTEGER_KEY("isScrollSpeed", isScrollSpeed, setIsScrollSpeed),
    VELT_INTEGER_KEY("isScrollPage", isScrollPage, SetIsScrollPage),
    VELT_INTEGER_KEY("isPointerAcceleration", isPointerAcceleration, setIsPointerAcceleration),
    VELT_INTEGER_KEY("pointerAcceleration", pointerAcceleration, setPointerAcceleration),
    VELT_INTEGER_KEY("dpiStep", dpiStep, setDPIStep),
    VELT_INTEGER_KEY("isXYSeparate", isEnableXPSeparate, setIsEnableXPSeparate),
    VELT_INTEGER_KEY("isRefinedmode", isEnableRefinedmode, setIsEnableRefinedmode),
    VELT_INTEGER_KEY("dipXaxis1", DPIXaxis1, setDPIXaxis1),
    VELT_INTEGER_KEY("dipXaxis2", DPIXaxis2, setDPIXaxis2),
    VELT_INTEGER_KEY("dipXaxis3", DPIXaxis3, setDPIXaxis3),
    VELT_INTEGER_KEY("dipYaxis1", DPIYaxis1, setDPIYaxis1),
    VELT_INTEGER_KEY("dipYaxis2", DPIYaxis2, setDPIYaxis2),
    VELT_INTEGER_KEY("dipYaxis3", DPIYaxis3, setDPIYaxis3),
    VELT_INTEGER_KEY("pointerSpeed", pointerSpeed, setPointerSpeed),
    VELT_INTEGER_KEY("qualityAnalyzer", qualityAnalyzer, setQualityAnalyzer),
    VELT_INTEGER_KEY("ledEffects", ledEffects, setLEDEffects),
    VELT_INTEGER_KEY("ledMode", ledMode, setLEDMode),
};

#undef VELT_INTEGER_KEY

// The lift-off distance, kept so that an apply after a restart sends the distance the
// user set; a file without it reads as the default.
constexpr const char* kLiftDistanceKey = "liftDistance";

struct ColorKey {
  const char* prefix;
  const RgbaColor& (Profile::*get)() const;
  void (Profile::*set)(const RgbaColor&);
};

const ColorKey kColorKeys[] = {
    {"scrollWheel", &Profile::scrollWheelColor, &Profile::setScrollWheelColor},
    {"dpiIndicotor", &Profile::dpiIndicotorColor, &Profile::setDpiIndicotorColor},
    {"dpiButtons", &Profile::dpiButtonsColor, &Profile::setDpiButtonsColor},
    {"logo", &Profile::logoTypeColor, &Profile::setLogoTypeColor},
};

std::string numbered(const char* key, int button) {
  return key + std::to_string(button);
}

std::string eventKey(int button, const char* field, size_t event) {
  return "macro" + std::to_string(button) + "_event" + field + "_" + std::to_string(event);
}

// At most the events reading takes, so that every file written here reads back whole
// (a longer macro would make the file too large to read at all).
void writeMacro(TextEntries& out, int button, const MacroData& macro) {
  const size_t count = std::min<size_t>(macro.eventCount(), kMaxMacroEvents);
  if (count < macro.eventCount()) {
    logf("button %d macro: %zu events, writing the first %zu", button, macro.eventCount(), count);
  }
  out.emplace_back(numbered("macroID", button), integerText(macro.macroID()));
  out.emplace_back(numbered("macroName", button), macro.macroName());
  out.emplace_back(numbered("eventCount", button), integerText(static_cast<uint32_t>(count)));
  for (size_t i = 0; i < count; ++i) {
    const MacroEvent& e = macro.eventAtIndex(i);
    out.emplace_back(eventKey(button, "Type", i), integerText(e.eventType()));
    out.emplace_back(eventKey(button, "Action", i), integerText(e.eventAction()));
    out.emplace_back(eventKey(button, "State", i), integerText(e.state()));
    out.emplace_back(eventKey(button, "Delay", i), integerText(e.delay()));
  }
}

// A block is read only with a positive event count; a missing or non-positive one
// leaves the button macro as it was.
void readMacro(const TextDict& dict, int button, MacroData& macro) {
  int64_t count = dictInteger(dict, numbered("eventCount", button));
  if (count <= 0) return;
  if (count > kMaxMacroEvents) {
    logf("button %d macro: %lld events, reading the first %lld", button,
         static_cast<long long>(count), static_cast<long long>(kMaxMacroEvents));
    count = kMaxMacroEvents;
  }
  macro.setID(static_cast<uint64_t>(dictInteger(dict, numbered("macroID", button))));
  macro.setName(dictText(dict, numbered("macroName", button)));
  macro.removeEvents();
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    macro.addEvent(static_cast<uint64_t>(dictInteger(dict, eventKey(button, "Type", i))),
                   static_cast<uint64_t>(dictInteger(dict, eventKey(button, "Action", i))),
                   static_cast<uint64_t>(dictInteger(dict, eventKey(button, "State", i))),
                   static_cast<uint64_t>(dictInteger(dict, eventKey(button, "Delay", i))));
  }
}

}  // namespace

bool Profile::save() const {
  return save(profilePath_);
}

bool Profile::save(const std::string& path) const {
  return save(path, systemFileWriter());
}

bool Profile::save(const std::string& path, FileWriter& writer) const {
  std::string error;
  return save(path, writer, error);
}

bool Profile::save(const std::string& path, std::string& error) const {
  return save(path, systemFileWriter(), error);
}

bool Profile::save(const std::string& path, FileWriter& writer, std::string& error) const {
  TextEntries out;
  out.emplace_back("enalbe", integerText(enable_));
  out.emplace_back("profileName", profileName_);
  for (const IntegerKey& k : kIntegerKeys) out.emplace_back(k.key, integerText(k.get(*this)));
  out.emplace_back(kLiftDistanceKey, integerText(liftDistance_));
  for (const ColorKey& k : kColorKeys) {
    const RgbaColor& c = (this->*k.get)();
    const std::string prefix = k.prefix;
    // Exact, so that every byte a colour stands for is sent as it was set after a save
    // and a read ("%f" turned 6/255 into 5).
    out.emplace_back(prefix + "Alpha", exactRealText(c.alpha));
    out.emplace_back(prefix + "Red", exactRealText(c.red));
    out.emplace_back(prefix + "Green", exactRealText(c.green));
    out.emplace_back(prefix + "Blue", exactRealText(c.blue));
  }
  for (int n = 1; n <= kButtons; ++n) {
    const KeyButton& k = key(n - 1);
    out.emplace_back(numbered("keyFunIndex", n), integerText(k.keyFunIndex()));
    out.emplace_back(numbered("keyMappingTable", n), integerText(k.keyMappingTable()));
    out.emplace_back(numbered("keyMacro", n), integerText(k.keyMacro()));
    out.emplace_back(numbered("defaultKey", n), integerText(k.defaultKey()));
  }
  for (int n = 1; n <= kButtons; ++n) {
    const MacroData& m = macroData(n - 1);
    if (m.eventCount() > 0 && key(n - 1).keyMappingTable() == kMacroFunction) {
      writeMacro(out, n, m);
    }
  }
  return writeXmlPlist(path, out, writer, error);
}

bool Profile::read() {
  return read(profilePath_);
}

bool Profile::read(const std::string& path) {
  FileReadError error;
  return read(path, error);
}

bool Profile::read(const std::string& path, FileReadError& error) {
  TextDict dict;
  if (!readTextDict(path, dict, error)) return false;
  const auto integer = [&](const std::string& key) {
    return static_cast<uint64_t>(dictInteger(dict, key));
  };
  setEnalbe(integer("enalbe"));
  setProfileName(dictText(dict, "profileName"));
  for (const IntegerKey& k : kIntegerKeys) k.set(*this, integer(k.key));
  setLiftDistance(dict.contains(kLiftDistanceKey) ? integer(kLiftDistanceKey)
                                                  : Profile::kDefaultLiftDistance);
  for (const ColorKey& k : kColorKeys) {
    const std::string prefix = k.prefix;
    (this->*k.set)({dictReal(dict, prefix + "Red"), dictReal(dict, prefix + "Green"),
                    dictReal(dict, prefix + "Blue"), dictReal(dict, prefix + "Alpha")});
  }
  for (int n = 1; n <= kButtons; ++n) {
    KeyButton& k = key(n - 1);
    k.setKeyFunIndex(integer(numbered("keyFunIndex", n)));
    k.setKeyMappingTable(integer(numbered("keyMappingTable", n)));
    k.setkeyMacro(integer(numbered("keyMacro", n)));
    k.setDefaultKey(integer(numbered("defaultKey", n)));
  }
  for (int n = 1; n <= kButtons; ++n) readMacro(dict, n, macroData(n - 1));
  return true;
}

}  // namespace velt
