#include "toolkit/KivListBox.h"

#include <algorithm>
#include <limits>

#include "toolkit/slider_math.h"

namespace velt {

namespace {

constexpr double kRowHeight = 18;
constexpr double kRowX = 4;
constexpr double kRowWidthGain = -2;  // rows are W - 2 wide
constexpr double kFirstRowFromTop = 23;
constexpr double kTopMargin = 5;
constexpr Point kTextOffset = {10, 5};
constexpr int32_t kFirstItemID = 16;
// Scrolling to the first scrollable row leaves it this far below the bottom edge, so
// that the rows above it keep more of the top.
constexpr int32_t kFirstScrollSlack = 8;

}  // namespace

KivListBox::KivListBox() = default;
KivListBox::~KivListBox() = default;

bool KivListBox::report(int32_t code, int32_t value) {
  if (host()) host()->accessibilityChanged();
  return sendMsg(code, value);
}

void KivListBox::append(BoxItem item) {
  resetItemState();
  item.m_bSelected = true;
  int32_t id = item.m_nID;
  m_BoxItems.push_back(std::move(item));
  resetItemRect();
  setNeedsDisplay();
  report(kListSelChanged, id);
}

void KivListBox::addItem(const std::string& text) {
  addItem(text, getNewItemID());
}

void KivListBox::addItem(const std::string& text, int32_t nID) {
  append({{}, text, true, nID});
}

void KivListBox::addDifferentItem(const std::string& text) {
  BoxItem item{{}, text, true, getNewItemID()};
  makeNameDifferent(item);
  append(std::move(item));
}

void KivListBox::addItem() {
  if (isEntryOpen()) {
    editInput();
    return;
  }
  if (!m_textField) {
    m_textField = std::make_unique<KivEdit>();
    m_textField->initView(this, 0, getNewItemRect());
    m_textField->setFont(systemFont(9));
    m_textField->setOnReturn([this] { editInput(); });
    addSubview(m_textField.get());
  }
  // Kept inside the box when the list is full; the rows are laid out afresh on commit.
  Rect place = getNewItemRect();
  place.y = std::max(0.0, place.y);
  m_textField->setFrame(place);
  m_textField->setHidden(false);
  m_textField->becomeFirstResponder();
}

bool KivListBox::editInput() {
  if (!isEntryOpen()) return false;
  std::string text = m_textField->text();
  if (!text.empty()) {
    const ViewLife alive = life();
    addDifferentItem(text);
    if (!alive) return true;
    m_textField->setText({});
  }
  m_textField->resignFirstResponder();
  m_textField->setHidden(true);
  return true;
}

void KivListBox::deleteCurItem() {
  auto selected = std::find_if(m_BoxItems.begin(), m_BoxItems.end(),
                               [](const BoxItem& item) { return item.m_bSelected; });
  if (selected == m_BoxItems.end()) return;
  const int32_t id = selected->m_nID;
  size_t index = static_cast<size_t>(selected - m_BoxItems.begin());
  if (!report(kListItemDeleting, id)) return;
  // The parent may have changed the list while handling the report.
  auto gone = std::find_if(m_BoxItems.begin(), m_BoxItems.end(),
                           [id](const BoxItem& item) { return item.m_nID == id; });
  if (gone != m_BoxItems.end()) {
    index = static_cast<size_t>(gone - m_BoxItems.begin());
    m_BoxItems.erase(gone);
  }
  if (m_BoxItems.empty()) {
    if (!report(kListSelChanged, 0)) return;
  } else {
    index = std::min(index, m_BoxItems.size() - 1);
    selectOnly(index);
    if (!report(kListSelChanged, m_BoxItems[index].m_nID)) return;
  }
  resetItemRect();
  setNeedsDisplay();
}

void KivListBox::deleteItem(int32_t nID) {
  std::erase_if(m_BoxItems, [nID](const BoxItem& item) { return item.m_nID == nID; });
  setNeedsDisplay();
}

void KivListBox::removeItems() {
  m_BoxItems.clear();
  setNeedsDisplay();
}

BoxItem* KivListBox::getSelItem() {
  for (BoxItem& item : m_BoxItems)
    if (item.m_bSelected) return &item;
  return nullptr;
}

BoxItem* KivListBox::getItem(int32_t nID) {
  for (BoxItem& item : m_BoxItems)
    if (item.m_nID == nID) return &item;
  return nullptr;
}

int32_t KivListBox::getNewItemID() const {
  if (m_BoxItems.empty()) return kFirstItemID;
  int32_t highest = kFirstItemID - 1;
  for (const BoxItem& item : m_BoxItems) highest = std::max(highest, item.m_nID);
  if (highest < std::numeric_limits<int32_t>::max()) return highest + 1;
  // The highest ID is taken: the lowest free one from 16 instead of overflowing.
  int32_t id = kFirstItemID;
  while (std::any_of(m_BoxItems.begin(), m_BoxItems.end(),
                     [&id](const BoxItem& item) { return item.m_nID == id; }))
    ++id;
  return id;
}

Rect KivListBox::getNewItemRect() const {
  double x = m_BoxItems.empty() ? 3 : 2;
  double y = m_BoxItems.empty()
                 ? truncToInt(bounds().height - kRowHeight)
                 : truncToInt(m_BoxItems.back().m_rcItem.y - m_BoxItems.back().m_rcItem.height);
  double right = bounds().width - 2;
  if (m_scroll && !m_scroll->isHidden()) right = m_scroll->frame().x - 1;
  return {x, y, std::max(0.0, right - x), kRowHeight};
}

void KivListBox::resetItemState() {
  for (BoxItem& item : m_BoxItems) item.m_bSelected = false;
}

void KivListBox::selectOnly(size_t index) {
  resetItemState();
  if (index < m_BoxItems.size()) m_BoxItems[index].m_bSelected = true;
}

void KivListBox::resetItemRect() {
  double W = bounds().width, H = bounds().height;
  for (size_t i = 0; i < m_BoxItems.size(); ++i)
    m_BoxItems[i].m_rcItem = {kRowX, H - kFirstRowFromTop - kRowHeight * i, W + kRowWidthGain,
                              kRowHeight};
  if (!m_scroll) return;
  auto n = static_cast<int32_t>(m_BoxItems.size());
  if (n > 0 && kTopMargin + kRowHeight * (n - 1) + kRowHeight > H) {
    m_scroll->setHidden(false);
    m_scroll->setMinMaxValue(m_scroll->minValue(), n);
    m_scroll->setCurValue(n - 1);
  } else {
    m_scroll->setHidden(true);
  }
}

void KivListBox::move(int32_t amount) {
  for (BoxItem& item : m_BoxItems) item.m_rcItem.y += amount;
}

// The row at the index becomes the last one shown: its bottom edge goes to the bottom
// of the box (a little lower for the first scrollable row).
void KivListBox::moveto(int32_t index) {
  int32_t r = truncToInt(bounds().height / kRowHeight);
  auto n = static_cast<int32_t>(m_BoxItems.size());
  if (index < r || index >= n) return;
  double amount = -m_BoxItems[index].m_rcItem.y - (index == r ? kFirstScrollSlack : 0);
  move(truncToInt(amount));
}

void KivListBox::makeNameDifferent(BoxItem& item) const {
  // Repeated until no other row has the name: appending "1" can meet a later name.
  std::string candidate = item.m_strText;
  bool clash = true;
  while (clash) {
    clash = false;
    for (const BoxItem& row : m_BoxItems) {
      if (&row == &item || row.m_strText != candidate) continue;
      candidate += "1";
      clash = true;
    }
  }
  item.m_strText = candidate;
}

void KivListBox::setScrollImage(const Image& track, const Image& sliderNormal,
                                const Image& sliderOver, const Image& lastNormal,
                                const Image& lastOver, const Image& nextNormal,
                                const Image& nextOver) {
  const bool made = !m_scroll;
  KivScrollCtrl& bar =
      KivScrollCtrl::placeInList(m_scroll, *this, kScrollID, kRowHeight, track, sliderNormal,
                                 sliderOver, lastNormal, lastOver, nextNormal, nextOver);
  if (made) bar.setHidden(true);
}

void KivListBox::subMsg(int32_t id, int32_t value) {
  if (id != kScrollID) {
    KivImageView::subMsg(id, value);
    return;
  }
  moveto(value);
  setNeedsDisplay();
}

int32_t KivListBox::rowAt(const Point& point) const {
  // Rows scrolled out of the box cannot be hit from outside it.
  if (!bounds().contains(point)) return -1;
  for (size_t i = 0; i < m_BoxItems.size(); ++i)
    if (m_BoxItems[i].m_rcItem.contains(point)) return static_cast<int32_t>(i);
  return -1;
}

void KivListBox::mouseDown(const MouseEvent& event) {
  const ViewLife alive = life();
  if (!editInput()) {
    int32_t row = rowAt(event.location);
    if (row >= 0) selectOnly(static_cast<size_t>(row));
  }
  if (!alive) return;
  setNeedsDisplay();
}

void KivListBox::mouseUp(const MouseEvent& event) {
  int32_t row = rowAt(event.location);
  if (row >= 0) {
    selectOnly(static_cast<size_t>(row));
    if (!report(kListSelChanged, m_BoxItems[row].m_nID)) return;
  }
  setNeedsDisplay();
}

void KivListBox::drawRect(GraphicsContext& gc, const Rect& dirtyRect) {
  KivImageView::drawRect(gc, dirtyRect);
  for (const BoxItem& item : m_BoxItems) {
    const Rect& r = item.m_rcItem;
    gc.drawText(item.m_strText, {r.x + kTextOffset.x, r.y + kTextOffset.y}, systemFont(9),
                item.m_bSelected ? m_selColor : m_normalColor);
  }
}

std::string KivListBox::accessibleValue() const {
  for (const BoxItem& item : m_BoxItems)
    if (item.m_bSelected) return item.m_strText;
  return {};
}

std::vector<AccessibleRow> KivListBox::accessibleRows() const {
  std::vector<AccessibleRow> rows;
  for (const BoxItem& item : m_BoxItems)
    rows.push_back({AccessibleRole::ListItem, item.m_strText, item.m_rcItem, item.m_bSelected});
  return rows;
}

}  // namespace velt
