#include "model/Macro.h"

#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "model/MacroView.h"
#include "model/limits.h"
#include "model/plist_file.h"

namespace velt {

void Macro::initMacro(MacroView* view, int64_t id, std::string name, const ItemRect& rect) {
  view_ = view;
  setID(id);
  strName_ = std::move(name);
  rect_ = rect;
  items_.clear();
}

int32_t Macro::getNewItemID() const {
  int64_t highest = 0;
  for (const EventItem& item : items_) highest = std::max<int64_t>(highest, item.nID());
  return static_cast<int32_t>(highest + 1);
}

void Macro::addItem(uint64_t type, uint64_t action, uint64_t state, uint64_t delay, int recType) {
  EventItem item;
  item.setID(getNewItemID());
  item.setEvent(MacroEvent(type, action, state, delay));
  item.setSelected(1);
  if (recType == kAppend) {
    resetItemState();
    items_.push_back(item);
  } else if (recType == kInsertAfterSelection) {
    const auto selected =
        std::find_if(items_.begin(), items_.end(), [](const EventItem& i) { return i.selected(); });
    if (selected != items_.end()) {
      const auto at = selected - items_.begin() + 1;
      resetItemState();
      items_.insert(items_.begin() + at, item);
    } else {
      items_.insert(items_.begin(), item);
    }
  }
  resetItemRect();
  const auto selected =
      std::find_if(items_.begin(), items_.end(), [](const EventItem& i) { return i.selected(); });
  if (selected != items_.end()) {
    notify(kMsgItemAdded, static_cast<int32_t>(selected - items_.begin()));
  }
}

void Macro::resetItemState() {
  for (EventItem& item : items_) item.setSelected(0);
}

EventItem* Macro::getSelItem() {
  for (EventItem& item : items_) {
    if (item.selected()) return &item;
  }
  return nullptr;
}

void Macro::resetItemRect() {
  for (size_t i = 0; i < items_.size(); ++i) {
    const double y = rect_.height - kTopMargin - kRowHeight * static_cast<double>(i) - kRowHeight;
    items_[i].setRect({kLeftMargin, y, rect_.width - 2, kRowHeight});
  }
  if (!items_.empty() && std::trunc(items_.back().rect().y) < 0) {
    notify(kMsgItemsOverflow, static_cast<int32_t>(items_.size() - 1));
  }
}

bool Macro::OnLBtDown(ItemPoint point) {
  const auto hit = std::find_if(items_.begin(), items_.end(),
                                [&](const EventItem& i) { return i.rect().contains(point); });
  if (hit == items_.end()) return false;
  resetItemState();
  hit->setSelected(1);
  return true;
}

bool Macro::OnLBtUp(ItemPoint point) {
  return OnLBtDown(point);
}

void Macro::removeItems() {
  items_.clear();
}

void Macro::deleteSelItem() {
  const auto selected =
      std::find_if(items_.begin(), items_.end(), [](const EventItem& i) { return i.selected(); });
  if (selected == items_.end()) return;
  const size_t at = static_cast<size_t>(selected - items_.begin());
  items_.erase(selected);
  for (size_t i = at; i < items_.size(); ++i) items_[i].moveItem(kRowHeight);
  resetItemState();
  if (!items_.empty()) items_[std::min(at, items_.size() - 1)].setSelected(1);
  notify(kMsgItemDeleted, static_cast<int32_t>(items_.size()));
}

void Macro::selMoveUp() {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (!items_[i].selected()) continue;
    items_[i].setSelected(0);
    if (i > 0) items_[i - 1].setSelected(1);
  }
}

void Macro::move(int32_t d) {
  for (EventItem& item : items_) item.moveItem(d);
}

void Macro::moveto(int32_t p) {
  if (items_.empty()) return;
  const int64_t n = static_cast<int64_t>(items_.size());
  const int64_t visible = static_cast<int64_t>(std::trunc(rect_.height / kRowHeight));
  if (visible > n) return;
  const int64_t t = std::max<int64_t>(p, visible);
  const int64_t k = t < n ? t : n - 1;
  const ItemRect& row = items_[static_cast<size_t>(k)].rect();
  double d = -(row.y + row.height);
  if (k == visible) d += 20;
  move(static_cast<int32_t>(std::trunc(d)));
}

// At most the rows reading takes, so that the file reads back whole (a longer macro
// would make the file too large to read at all).
bool Macro::save(const std::string& path, FileWriter& writer) const {
  const size_t count = std::min<size_t>(items_.size(), kMaxMacroEvents);
  if (count < items_.size()) {
    logf("%s: %zu events, writing the first %zu", path.c_str(), items_.size(), count);
  }
  TextEntries out;
  out.emplace_back("macroName", strName_);
  out.emplace_back("macroID", integerText(static_cast<uint32_t>(nID_)));
  out.emplace_back("evnetCount", integerText(static_cast<uint32_t>(count)));
  for (size_t i = 0; i < count; ++i) {
    const EventItem& item = items_[i];
    const std::string index = std::to_string(i);
    out.emplace_back("eventType_" + index, integerText(item.eventType()));
    out.emplace_back("eventAction_" + index, integerText(item.eventAction()));
    out.emplace_back("eventState_" + index, integerText(item.state()));
    out.emplace_back("eventDelay_" + index, integerText(item.delay()));
    out.emplace_back("eventID_" + index, integerText(static_cast<uint32_t>(item.nID())));
  }
  return writeXmlPlist(path, out, writer);
}

bool Macro::read(const std::string& path) {
  FileReadError error;
  return read(path, error);
}

bool Macro::read(const std::string& path, FileReadError& error) {
  TextDict dict;
  if (!readTextDict(path, dict, error)) return false;
  strName_ = dictText(dict, "macroName");
  setID(dictInteger(dict, "macroID"));
  int64_t count = std::max<int64_t>(0, dictInteger(dict, "evnetCount"));
  if (count > kMaxMacroEvents) {
    logf("%s: %lld events, reading the first %lld", path.c_str(), static_cast<long long>(count),
         static_cast<long long>(kMaxMacroEvents));
    count = kMaxMacroEvents;
  }
  std::vector<MacroEvent> events;
  events.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    const std::string index = std::to_string(i);
    const auto value = [&](const char* key) {
      return static_cast<uint64_t>(dictInteger(dict, key + index));
    };
    events.emplace_back(value("eventType_"), value("eventAction_"), value("eventState_"),
                        value("eventDelay_"));
  }
  appendRows(events);
  return true;
}

MacroData Macro::toMacroData() const {
  MacroData data(static_cast<uint32_t>(nID_), strName_);
  for (const EventItem& item : items_) data.addEvent(item.event());
  return data;
}

void Macro::appendEvents(const MacroData& data) {
  std::vector<MacroEvent> events;
  for (const MacroEvent& e : data.events()) {
    if (e.eventType() != 0) events.push_back(e);
  }
  appendRows(events);
}

// Ends as appending one by one would: numbered on from getNewItemID, the last one
// selected, laid out (110 on overflow), and 115 with the last row's index.
void Macro::appendRows(const std::vector<MacroEvent>& events) {
  if (events.empty()) return;
  resetItemState();
  int64_t id = getNewItemID();
  for (const MacroEvent& e : events) {
    EventItem item;
    item.setID(id++);
    item.setEvent(e);
    items_.push_back(item);
  }
  items_.back().setSelected(1);
  resetItemRect();
  notify(kMsgItemAdded, static_cast<int32_t>(items_.size() - 1));
}

void Macro::notify(int32_t code, int32_t value) const {
  if (view_ != nullptr) view_->subMsg(code, value);
}

}  // namespace velt
