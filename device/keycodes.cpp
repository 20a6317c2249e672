#include "device/keycodes.h"

#include <algorithm>
#include <iterator>

namespace velt {
namespace {

// Left and right modifiers, and the keypad keys, share their names with the main keys
// but send their own usages.
// clang-format off
constexpr KeyCodeRow kTable[] = {
    {0, "A", 4},          {1, "S", 22},         {2, "D", 7},
    {3, "F", 9},          {4, "H", 11},         {5, "G", 10},
    {6, "Z", 29},         {7, "X", 27},         {8, "C", 6},
    {9, "V", 25},         {11, "B", 5},         {12, "Q", 20},
    {13, "W", 26},        {14, "E", 8},         {15, "R", 21},
    {16, "Y", 28},        {17, "T", 23},        {18, "1", 30},
    {19, "2", 31},        {20, "3", 32},        {21, "4", 33},
    {22, "6", 35},        {23, "5", 34},        {24, "=", 46},
    {25, "9", 38},        {26, "7", 36},        {27, "-", 45},
    {28, "8", 37},        {29, "0", 39},        {30, "]", 48},
    {31, "O", 18},        {32, "U", 24},        {33, "[", 47},
    {34, "I", 12},        {35, "P", 19},        {36, "enter", 40},
    {37, "L", 15},        {38, "J", 13},        {39, "'", 52},
    {40, "K", 14},        {41, ";", 51},        {42, "\\", 49},
    {43, ",", 54},        {44, "/", 56},        {45, "N", 17},
    {46, "M", 16},        {47, ".", 55},        {48, "tab", 43},
    {49, "space", 44},    {50, "`", 53},        {51, "delete", 42},
    {53, "esc", 41},      {54, "command", 231}, {55, "command", 227},
    {56, "shift", 225},   {57, "caps lock", 57}, {58, "option", 226},
    {59, "control", 224}, {60, "shift", 229},   {61, "option", 230},
    {62, "control", 228}, {63, "fn", 101},      {67, "*", 85},
    {69, "+", 87},        {71, "clear", 156},   {72, "volum up", 128},
    {73, "volume down", 129}, {74, "mute", 127}, {75, "/", 84},
    {76, "enter", 88},    {78, "-", 86},        {81, "=", 103},
    {82, "0", 98},        {83, "1", 89},        {84, "2", 90},
    {85, "3", 91},        {86, "4", 92},        {87, "5", 93},
    {88, "6", 94},        {89, "7", 95},        {91, "8", 96},
    {92, "9", 97},        {96, "F5", 62},       {97, "F6", 63},
    {98, "F7", 64},       {99, "F3", 60},       {100, "F8", 65},
    {101, "F9", 66},      {103, "F11", 68},     {109, "F10", 67},
    {111, "F12", 69},     {115, "home", 74},    {116, "page up", 75},
    {117, "forward delete", 76}, {118, "F4", 61}, {119, "end", 77},
    {120, "F2", 59},      {121, "page down", 78}, {122, "F1", 58},
    {123, "left arrow", 80}, {124, "right arrow", 79}, {125, "down arrow", 81},
    {126, "up arrow", 82},
};
// clang-format on

constexpr bool sortedByCode() {
  for (size_t i = 1; i < std::size(kTable); ++i) {
    if (kTable[i - 1].code >= kTable[i].code) return false;
  }
  return true;
}
static_assert(sortedByCode(), "the lookups search the table by code");

const KeyCodeRow* findRow(uint16_t code) {
  auto it = std::lower_bound(std::begin(kTable), std::end(kTable), code,
                             [](const KeyCodeRow& row, uint16_t c) { return row.code < c; });
  return it != std::end(kTable) && it->code == code ? &*it : nullptr;
}

}  // namespace

std::span<const KeyCodeRow> keyCodeTable() {
  return kTable;
}

std::string_view keyName(uint16_t code) {
  const KeyCodeRow* row = findRow(code);
  return row ? row->name : std::string_view();
}

uint16_t hidUsage(uint16_t code) {
  const KeyCodeRow* row = findRow(code);
  return row ? row->usage : code;
}

}  // namespace velt
