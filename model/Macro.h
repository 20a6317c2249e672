#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_writer.h"
#include "model/EventItem.h"
#include "model/MacroData.h"
#include "model/plist_file.h"

namespace velt {

class MacroView;

// One editable macro of the library: rows laid out for the event list control. Rows
// are 18 high, 4 from the left and W - 2 wide; row 0's top edge lies 5 below the top
// of the control, each following row 18 lower. The view (may be null) receives the
// notifications of MacroView.h.
class Macro {
 public:
  static constexpr int kRowHeight = 18;
  static constexpr int kTopMargin = 5;
  static constexpr int kLeftMargin = 4;
  // addItem's insert modes.
  static constexpr int kAppend = 1;
  static constexpr int kInsertAfterSelection = 2;

  void initMacro(MacroView* view, int64_t id, std::string name, const ItemRect& rect);

  int32_t nID() const { return nID_; }
  void setID(int64_t id) { nID_ = static_cast<int32_t>(id); }
  const std::string& strName() const { return strName_; }
  void setName(std::string name) { strName_ = std::move(name); }
  const std::vector<EventItem>& eventItems() const { return items_; }

  // Highest row ID + 1, 1 without rows.
  int32_t getNewItemID() const;
  // Adds a selected row in `recType` mode (other modes add nothing), lays the rows
  // out and sends 115 with the selected row's index.
  void addItem(uint64_t type, uint64_t action, uint64_t state, uint64_t delay, int recType);
  void resetItemState();
  // The first selected row; valid until the rows change.
  EventItem* getSelItem();
  void resetItemRect();
  // The first row containing the point becomes the only selected one.
  bool OnLBtDown(ItemPoint point);
  bool OnLBtUp(ItemPoint point);
  void removeItems();
  // Removes the selected row, whichever it is: the rows below move up into its place,
  // the row that takes its place (or the new last row) is selected, and 114 tells
  // the view how many rows are left. Nothing happens without a selection.
  void deleteSelItem();
  void selMoveUp();
  void move(int32_t d);
  // Scrolls so that row max(p, visible rows) (at most the last) has its top edge at
  // the bottom of the control, 20 above it when that row is the first hidden one.
  void moveto(int32_t p);

  // Macro file ("macroName", "macroID", "evnetCount", five keys per row).
  bool save(const std::string& path, FileWriter& writer = systemFileWriter()) const;
  // Sets name and ID and appends the file's events as rows; false, with nothing
  // changed, when the file cannot be loaded.
  bool read(const std::string& path);
  // The same, with why the file could not be loaded in `error`.
  bool read(const std::string& path, FileReadError& error);

  // The profile's copy: ID, name and every event in order.
  MacroData toMacroData() const;
  // Appends the events of a profile macro as rows; empty events (type 0) are dropped.
  void appendEvents(const MacroData& data);

 private:
  void appendRows(const std::vector<MacroEvent>& events);
  void notify(int32_t code, int32_t value) const;

  MacroView* view_ = nullptr;
  int32_t nID_ = 0;
  std::string strName_;
  ItemRect rect_;
  std::vector<EventItem> items_;
};

}  // namespace velt
