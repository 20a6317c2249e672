#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/BoxItem.h"
#include "toolkit/KivEdit.h"
#include "toolkit/KivImageView.h"
#include "toolkit/KivScrollCtrl.h"

namespace velt {

// A list of named 18-point rows with single selection, inline entry of a new name,
// unique names and a vertical scroll bar. It reports with fixed codes instead of its
// ID: kListSelChanged (item ID, 0 when none is left) and kListItemDeleting (item ID,
// before the row goes).
class KivListBox : public KivImageView {
 public:
  static constexpr int32_t kListSelChanged = 101;
  static constexpr int32_t kListItemDeleting = 102;
  static constexpr int32_t kScrollID = 100;

  KivListBox();
  ~KivListBox() override;

  // Each appends the row as the only selected one, lays out and reports it selected.
  void addItem(const std::string& text);
  void addItem(const std::string& text, int32_t nID);
  void addDifferentItem(const std::string& text);
  // Opens the entry field under the last row, or commits the one that is open.
  void addItem();
  // Commits an open entry (a non-empty name becomes a row) and closes it; false when
  // none was open.
  bool editInput();
  void deleteCurItem();
  void deleteItem(int32_t nID);
  void removeItems();

  BoxItem* getSelItem();
  BoxItem* getItem(int32_t nID);
  const std::vector<BoxItem>& boxItems() const { return m_BoxItems; }
  int32_t getNewItemID() const;
  Rect getNewItemRect() const;
  void resetItemState();
  void resetItemRect();
  void move(int32_t amount);
  void moveto(int32_t index);
  void makeNameDifferent(BoxItem& item) const;

  void setScrollImage(const Image& track, const Image& sliderNormal, const Image& sliderOver,
                      const Image& lastNormal, const Image& lastOver, const Image& nextNormal,
                      const Image& nextOver);
  KivScrollCtrl* scroll() const { return m_scroll.get(); }
  KivEdit* textField() const { return m_textField.get(); }
  bool isEntryOpen() const { return m_textField && !m_textField->isHidden(); }

  // From the scroll bar.
  void subMsg(int32_t id, int32_t value) override;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;
  bool acceptsFirstResponder() const override { return true; }

  AccessibleRole accessibleRole() const override { return AccessibleRole::List; }
  // The selected row's name.
  std::string accessibleValue() const override;
  std::vector<AccessibleRow> accessibleRows() const override;

 private:
  void append(BoxItem item);
  int32_t rowAt(const Point& point) const;
  void selectOnly(size_t index);
  // False when the parent destroyed the list box while handling the report.
  bool report(int32_t code, int32_t value);

  std::unique_ptr<KivEdit> m_textField;
  std::unique_ptr<KivScrollCtrl> m_scroll;
  std::vector<BoxItem> m_BoxItems;
  Color m_normalColor = Color::gray(190 / 255.0);
  Color m_selColor = kAccentColor;
};

}  // namespace velt
