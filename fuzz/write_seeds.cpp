// Writes the seed corpora of the fuzz targets into FOLDER/<target>/: files written by
// this code (profiles, macros, images, state files), their binary property-list
// forms, truncations, deep nesting and hostile images. Run it again after a change of
// a file format: velt_fuzz_seeds fuzz/corpus
#include <plist/plist.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "device/profile_image.h"
#include "emulator/state_text.h"
#include "fuzz/fuzz_target.h"
#include "model/Macro.h"
#include "model/Profile.h"
#include "model/plist_file.h"

namespace fs = std::filesystem;
using velt::fuzz::MemoryWriter;

namespace {

fs::path gRoot;

void seed(const std::string& target, const std::string& name, std::string_view bytes) {
  const fs::path folder = gRoot / target;
  fs::create_directories(folder);
  velt::test::writeBytes((folder / name).string(), bytes);
}

std::string half(const std::string& text) {
  return text.substr(0, text.size() / 2);
}

// The same dictionary of text values as a binary property list.
std::string binaryOf(const std::string& xml) {
  plist_t root = nullptr;
  plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
  char* bin = nullptr;
  uint32_t length = 0;
  plist_to_bin(root, &bin, &length);
  std::string bytes(bin, length);
  plist_to_bin_free(bin);
  plist_free(root);
  return bytes;
}

std::string savedProfile() {
  velt::Profile p;
  p.setProfileName("Gaming");
  p.key(2).setKeyMappingTable(velt::kMacroFunction);
  for (int i = 0; i < 3; ++i) p.macroData(2).addEvent(1, 4 + i, i % 2, 10 * i);
  p.macroData(2).setName("copy");
  MemoryWriter writer;
  p.save("profile.plist", writer);
  return writer.last();
}

std::string savedMacro() {
  velt::Macro m;
  m.initMacro(nullptr, 17, "Combo", {0, 0, 200, 300});
  for (int i = 0; i < 3; ++i) m.addItem(1, 4 + i, i % 2, 20, velt::Macro::kAppend);
  MemoryWriter writer;
  m.save("a.macro", writer);
  return writer.last();
}

// A list of two references to one list, nested `depth` times: tiny, but 2^depth
// nodes once expanded.
std::string sharedReferences(int depth) {
  std::string objects;
  std::string offsets;
  const int count = depth + 2;  // the dictionary, the key, the lists
  // Object 0: dictionary {key 1: list 2}.
  offsets += static_cast<char>(8 + objects.size());
  objects += "\xD1\x01\x02";
  offsets += static_cast<char>(8 + objects.size());
  objects += "\x51k";
  for (int i = 2; i < count; ++i) {
    offsets += static_cast<char>(8 + objects.size());
    if (i + 1 < count) {
      objects += "\xA2";
      objects += static_cast<char>(i + 1);
      objects += static_cast<char>(i + 1);
    } else {
      objects += "\x10\x01";
    }
  }
  std::string file = "bplist00" + objects;
  const size_t tableAt = file.size();
  file += offsets;
  std::string trailer(32, '\0');
  trailer[6] = 1;  // offset size
  trailer[7] = 1;  // reference size
  trailer[15] = static_cast<char>(count);
  trailer[31] = static_cast<char>(tableAt);
  return file + trailer;
}

std::string nested(int depth) {
  std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key>";
  for (int i = 0; i < depth; ++i) xml += "<array>";
  for (int i = 0; i < depth; ++i) xml += "</array>";
  return xml + "</dict></plist>";
}

void plistSeeds() {
  const std::string profile = savedProfile();
  seed("plist_fuzz", "profile.xml", profile);
  seed("plist_fuzz", "profile.bin", binaryOf(profile));
  seed("plist_fuzz", "truncated.xml", half(profile));
  seed("plist_fuzz", "truncated.bin", half(binaryOf(profile)));
  const std::string mixed =
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
      "<key>s</key><string>text &amp; more</string><key>i</key><integer>-12</integer>"
      "<key>r</key><real>2.5</real><key>t</key><true/><key>d</key><data>AAEC</data>"
      "<key>when</key><date>2020-01-02T03:04:05Z</date><key>a</key><array><string>x</string>"
      "</array><key>n</key><dict><key>in</key><string>y</string></dict></dict></plist>";
  seed("plist_fuzz", "types.xml", mixed);
  seed("plist_fuzz", "types.bin", binaryOf(mixed));
  seed("plist_fuzz", "nested.xml", nested(200));
  seed("plist_fuzz", "shared-references.bin", sharedReferences(40));
  seed("plist_fuzz", "array-root.xml",
       "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>");
  seed("plist_fuzz", "empty", "");
}

void profileFileSeeds() {
  const std::string profile = savedProfile();
  seed("profile_file_fuzz", "profile.plist", profile);
  seed("profile_file_fuzz", "profile-binary.plist", binaryOf(profile));
  seed("profile_file_fuzz", "truncated.plist", half(profile));
  const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>";
  seed("profile_file_fuzz", "huge-event-count.plist",
       head +
           "<key>keyMappingTable3</key><string>14</string><key>eventCount3</key>"
           "<string>4000000000</string><key>macro3_eventType_0</key><string>1</string>"
           "<key>scrollWheelRed</key><string>nan</string><key>logoBlue</key><string>1e40</string>"
           "<key>profileName</key><string>\xC3\x28\x01</string></dict></plist>");
  seed("profile_file_fuzz", "negative-count.plist",
       head +
           "<key>eventCount1</key><string>-3</string><key>dpiStep</key><string>-1</string>"
           "</dict></plist>");
}

void macroFileSeeds() {
  const std::string macro = savedMacro();
  seed("macro_file_fuzz", "combo.macro", macro);
  seed("macro_file_fuzz", "combo-binary.macro", binaryOf(macro));
  seed("macro_file_fuzz", "truncated.macro", half(macro));
  const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>";
  seed("macro_file_fuzz", "over-limit.macro",
       head +
           "<key>evnetCount</key><string>99999</string><key>macroID</key>"
           "<string>-1</string><key>eventType_5</key><string>1</string></dict></plist>");
  seed("macro_file_fuzz", "negative-count.macro",
       head +
           "<key>evnetCount</key><string>-7</string><key>macroName</key>"
           "<string>\xFF\x02</string></dict></plist>");
  seed("macro_file_fuzz", "not-a-plist.macro", "macro");
}

using Image = std::array<uint8_t, velt::kProfileImageSize>;

// Input of the image target: the stored length, then the image without its trailing
// zeros (the target pads short inputs with zeros).
std::string imageInput(uint16_t storedLength, const Image& image) {
  size_t end = image.size();
  while (end > 0 && image[end - 1] == 0) --end;
  std::string bytes{static_cast<char>(storedLength), static_cast<char>(storedLength >> 8)};
  bytes.append(reinterpret_cast<const char*>(image.data()), end);
  return bytes;
}

std::unique_ptr<velt::PROFILE_T> recordWithMacros(int buttons, int events) {
  auto p = std::make_unique<velt::PROFILE_T>();
  p->profileNumber = 1;
  std::memcpy(p->name, "Profile 2", 9);
  p->imageLength = 2048;
  p->enabled = 1;
  p->sensor.dpiLevelCount = 3;
  p->sensor.levels[0] = {1, 800, 1600};
  for (int k = 0; k < velt::kButtonCount; ++k)
    p->buttons[k] = {1, static_cast<uint8_t>(k), 0, 0, 0x0F};
  for (int k = 0; k < buttons; ++k) {
    velt::BUTTON_T& b =
        k < velt::kButtonCount ? p->buttons[k] : p->extraButtons[k - velt::kButtonCount];
    b.type = velt::kMacroButtonType;
    p->macros[k].eventCount = static_cast<uint16_t>(events);
    for (int i = 0; i < events; ++i) {
      p->macros[k].events[i] = {1, static_cast<uint16_t>(4 + i), static_cast<uint8_t>(i % 2),
                                static_cast<uint64_t>(i * 300)};
    }
  }
  return p;
}

void putU16(Image& image, size_t at, uint16_t value) {
  image[at] = static_cast<uint8_t>(value);
  image[at + 1] = static_cast<uint8_t>(value >> 8);
}

void imageSeeds() {
  Image sound{};
  velt::Convert_pf_to_buffer(*recordWithMacros(2, 3), sound);
  seed("profile_image_fuzz", "sound", imageInput(2048, sound));
  seed("profile_image_fuzz", "one-block", imageInput(1024, sound));
  seed("profile_image_fuzz", "empty-profile", imageInput(0, sound));
  seed("profile_image_fuzz", "length-4096", imageInput(4096, sound));
  seed("profile_image_fuzz", "short", imageInput(2048, sound).substr(0, 120));
  const size_t slot1 = 0x065 + 7;
  Image hostile = sound;
  putU16(hostile, slot1 + 2, 2042);  // the macro runs past the image
  putU16(hostile, slot1 + 4, 1);
  seed("profile_image_fuzz", "macro-past-image", imageInput(2048, hostile));
  hostile = sound;
  putU16(hostile, slot1 + 4, 200);  // more events than a macro holds
  seed("profile_image_fuzz", "macro-length-200", imageInput(2048, hostile));
  // Nine macro buttons all pointing at the same 128 events: each fits the image, together
  // they do not fit the macro area again.
  Image overlapping{};
  velt::Convert_pf_to_buffer(*recordWithMacros(1, 128), overlapping);
  for (int k = 0; k < velt::kButtonRecordCount; ++k) {
    const size_t at = 0x065 + 7 * static_cast<size_t>(k < velt::kButtonCount ? k : k + 1);
    overlapping[at] = velt::kMacroButtonType;
    putU16(overlapping, at + 2, 800);
    putU16(overlapping, at + 4, 128);
    overlapping[at + 6] = 0x0F;
  }
  seed("profile_image_fuzz", "overlapping-macros", imageInput(2048, overlapping));
}

void stateSeeds() {
  velt::MouseState state;
  seed("state_text_fuzz", "fresh", velt::encodeState(state));
  state.currentProfile = 2;
  state.profileSlots[1].length = 2048;
  Image image{};
  velt::Convert_pf_to_buffer(*recordWithMacros(1, 2), image);
  state.profileSlots[1].image = image;
  const std::string written = velt::encodeState(state);
  seed("state_text_fuzz", "one-slot", written);
  seed("state_text_fuzz", "truncated", written.substr(0, 700));
  std::string badHex = written;
  badHex[badHex.size() - 10] = 'g';
  seed("state_text_fuzz", "bad-hex", badHex);
  seed("state_text_fuzz", "block-number-2",
       velt::encodeState(velt::MouseState{}) + "block 2\nblock-number 2\n");
  std::string unwritten = written;
  const size_t slotLine = unwritten.find("slot 1 2048 ");
  unwritten.replace(slotLine, 12, "slot 1 0 ");
  seed("state_text_fuzz", "image-of-slot-never-written", unwritten);
  seed("state_text_fuzz", "not-a-state-file", "mouse\n");
  seed("state_text_fuzz", "empty", "");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  gRoot = argv[1];
  plistSeeds();
  profileFileSeeds();
  macroFileSeeds();
  imageSeeds();
  stateSeeds();
  return 0;
}
