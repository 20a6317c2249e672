#include "config_app/pages/KivMacroCtrl.h"

#include <algorithm>
#include <charconv>

#include "base/clock.h"
#include "device/keycodes.h"
#include "model/limits.h"
#include "toolkit/slider_math.h"

namespace velt {

namespace {

constexpr int32_t kMenuWidth = 170;
constexpr int32_t kMouseSubMenuWidth = 120;
constexpr double kDelayColumn = 120;
constexpr double kDelayFieldWidth = 52;
// The menu's ID is the tick count at its creation, but never so small that it could be
// taken for one of the codes this control receives (100, 110, 114, 115, the submenus).
constexpr int32_t kLowestMenuID = 1000;

struct MouseButtonItems {
  int32_t submenu;
  const char* caption;
  uint16_t action;
};

constexpr MouseButtonItems kMouseButtons[] = {
    {7, "Left button", mouse_action::kLeft},      {11, "Right button", mouse_action::kRight},
    {15, "Middle button", mouse_action::kMiddle}, {19, "Forward button", mouse_action::kForward},
    {23, "Back button", mouse_action::kBack},
};

}  // namespace

std::string eventRowText(const EventItem& item) {
  std::string name = item.mouseEventString();
  if (name.empty()) {
    name = std::string(keyName(item.eventAction()));
    if (name.empty()) name = "key " + std::to_string(item.eventAction());
    if (item.state() == 0) name += " press";
    if (item.state() == 1) name += " release";
  }
  return name + ", " + item.delayString();
}

KivMacroCtrl::KivMacroCtrl() = default;
KivMacroCtrl::~KivMacroCtrl() = default;

bool KivMacroCtrl::setMacroPath(const std::string& folder) {
  library_.setLayout(this, {0, 0, bounds().width, bounds().height});
  return library_.setMacroPath(folder);
}

bool KivMacroCtrl::readMacroItems() {
  library_.setLayout(this, {0, 0, bounds().width, bounds().height});
  return library_.readMacroItems();
}

Macro& KivMacroCtrl::newMacro(int32_t id, const std::string& name) {
  auto macro = std::make_unique<Macro>();
  macro->initMacro(this, id, name, {0, 0, bounds().width, bounds().height});
  Macro& added = *macro;
  library_.addMacro(std::move(macro));
  if (m_scroll) m_scroll->setCurValue(m_scroll->minValue());
  return added;
}

Macro* KivMacroCtrl::newMacro(const MacroData& data) {
  library_.setLayout(this, {0, 0, bounds().width, bounds().height});
  if (!library_.addMacro(data)) return nullptr;
  return library_.macros().back().get();
}

void KivMacroCtrl::setCurMacro(int32_t id, const std::string& name) {
  Macro* macro = getMacro(id);
  m_pCurMacro = macro ? macro : &newMacro(id, name);
  if (m_scroll) m_scroll->setCurValue(m_scroll->minValue());
  redraw();
}

void KivMacroCtrl::deleteItem(int32_t id) {
  if (m_pCurMacro && m_pCurMacro->nID() == id) m_pCurMacro = nullptr;
  library_.removeMacro(id);
  redraw();
}

bool KivMacroCtrl::isFull() const {
  return m_pCurMacro && static_cast<int64_t>(m_pCurMacro->eventItems().size()) >= kMaxMacroEvents;
}

bool KivMacroCtrl::addItem(uint64_t type, uint64_t action, uint64_t state, uint64_t delay) {
  if (!m_pCurMacro) return true;
  if (isFull()) return false;
  m_pCurMacro->addItem(type, action, state, delay, m_nInsertMode);
  redraw();
  return true;
}

void KivMacroCtrl::deleteSelItem() {
  if (!m_pCurMacro) return;
  m_pCurMacro->deleteSelItem();
  redraw();
}

EventItem* KivMacroCtrl::getSelItem() {
  return m_pCurMacro ? m_pCurMacro->getSelItem() : nullptr;
}

void KivMacroCtrl::removeItems() {
  if (!m_pCurMacro) return;
  m_pCurMacro->removeItems();
  redraw();
}

bool KivMacroCtrl::isHoldMacro() const {
  return m_pCurMacro && !m_pCurMacro->eventItems().empty() &&
         m_pCurMacro->toMacroData().isHoldMacro();
}

void KivMacroCtrl::editDelay() {
  if (!m_pCurMacro) return;
  if (!m_delayField) {
    m_delayField = std::make_unique<KivEdit>();
    m_delayField->initView(this, 0, {kDelayColumn, 2, kDelayFieldWidth, 0});
    m_delayField->setFont(systemFont(13));
    m_delayField->setAccessibleName("Delay");
    m_delayField->setOnReturn([this] { editInput(); });
    addSubview(m_delayField.get());
  }
  Rect place = {kDelayColumn, 2, kDelayFieldWidth, 0};
  if (const EventItem* row = getSelItem())
    place = {row->rect().x + kDelayColumn, row->rect().y + 2, kDelayFieldWidth, row->rect().height};
  m_delayField->setFrame(place);
  m_delayField->setHidden(false);
  m_delayField->becomeFirstResponder();
}

bool KivMacroCtrl::editInput() {
  if (!isDelayFieldOpen()) return false;
  std::string text = m_delayField->text();
  size_t start = text.find_first_not_of(" \t");
  int64_t delay = 0;
  if (start != std::string::npos)
    std::from_chars(text.data() + start, text.data() + text.size(), delay);
  // A negative delay is refused: it would be stored as a wait of about 49 days.
  if (delay > 0 && delay <= UINT32_MAX) {
    if (EventItem* row = getSelItem()) row->setDelay(static_cast<uint64_t>(delay));
    m_delayField->setText({});
  }
  m_delayField->resignFirstResponder();
  m_delayField->setHidden(true);
  redraw();
  return true;
}

void KivMacroCtrl::initMenu() {
  m_menu = std::make_unique<KivMenu>();
  m_menu->initMenu(this, std::max(tickCount(), kLowestMenuID), kMenuWidth);
  const std::pair<int32_t, const char*> top[] = {{kRecordBefore, "Start record before event"},
                                                 {kRecordAfter, "Start record after event"},
                                                 {kInsertMouseEvent, "Insert mouse event"},
                                                 {kInsertDelay, "Insert delay"},
                                                 {kEditDelay, "Edit delay"},
                                                 {kDeleteEvent, "Delete"}};
  for (const auto& [id, caption] : top)
    m_menu->addMenuItem(id, caption, false, true, id == kInsertMouseEvent);
  for (const MouseButtonItems& button : kMouseButtons) {
    m_menu->addSubMenuItem(button.submenu, kInsertMouseEvent, button.caption, false, true);
    KivMenu* sub = m_menu->getSubMenu(kInsertMouseEvent);
    sub->addSubMenuItem(button.submenu + 1, button.submenu, "Down", false, true);
    sub->addSubMenuItem(button.submenu + 2, button.submenu, "Up", false, true);
    sub->addSubMenuItem(button.submenu + 3, button.submenu, "Click", false, true);
  }
  m_menu->addSubMenuItem(kScrollWheel, kInsertMouseEvent, "Scroll wheel", false, true);
  KivMenu* sub = m_menu->getSubMenu(kInsertMouseEvent);
  sub->addSubMenuItem(kWheelDown, kScrollWheel, "Down", false, true);
  sub->addSubMenuItem(kWheelUp, kScrollWheel, "Up", false, true);
  m_menu->setSubMenuWidth(kInsertMouseEvent, kMouseSubMenuWidth);
}

void KivMacroCtrl::setScrollImage(const Image& track, const Image& sliderNormal,
                                  const Image& sliderOver, const Image& lastNormal,
                                  const Image& lastOver, const Image& nextNormal,
                                  const Image& nextOver) {
  KivScrollCtrl::placeInList(m_scroll, *this, kScrollID, Macro::kRowHeight, track, sliderNormal,
                             sliderOver, lastNormal, lastOver, nextNormal, nextOver)
      .setAccessibleName("Events scroll bar");
}

bool KivMacroCtrl::isMenuMessage(int32_t id) const {
  if (m_menu && id == m_menu->menuID()) return true;
  if (id == kScrollWheel) return true;
  return std::any_of(std::begin(kMouseButtons), std::end(kMouseButtons),
                     [id](const MouseButtonItems& b) { return b.submenu == id; });
}

void KivMacroCtrl::subMsg(int32_t id, int32_t value) {
  if (isMenuMessage(id)) {
    menuCommand(value);
    redraw();
    return;
  }
  switch (id) {
    case kScrollID:
      if (m_pCurMacro) m_pCurMacro->moveto(value);
      redraw();
      break;
    case kMsgItemAdded:
      if (m_scroll) m_scroll->setCurValue(value);
      break;
    case kMsgItemsOverflow:
      if (m_scroll && !m_scroll->isHidden()) {
        m_scroll->setMinMaxValue(m_scroll->minValue(), value);
        m_scroll->setCurValue(value);
        m_scroll->setNeedsDisplay();
      }
      break;
    default:
      break;
  }
}

void KivMacroCtrl::menuCommand(int32_t item) {
  if (item == kRecordBefore || item == kRecordAfter) {
    m_nInsertMode = Macro::kInsertAfterSelection;
    // Recording after the row above the selected one is recording before it.
    if (item == kRecordBefore && m_pCurMacro) m_pCurMacro->selMoveUp();
    sendMsg(kMsgRecordAt, item);
    return;
  }
  if (item == kInsertDelay || item == kEditDelay) return editDelay();
  if (item == kDeleteEvent) return deleteSelItem();
  if (item == kWheelDown) return addMouseEvent(mouse_action::kWheelDown, true, false);
  if (item == kWheelUp) return addMouseEvent(mouse_action::kWheelUp, true, false);
  for (const MouseButtonItems& button : kMouseButtons) {
    int32_t choice = item - button.submenu;
    if (choice >= 1 && choice <= 3) return addMouseEvent(button.action, choice != 2, choice != 1);
  }
}

// Mouse events go after the selected row, whatever the recording's insert mode.
void KivMacroCtrl::addMouseEvent(uint16_t action, bool down, bool up) {
  if (!m_pCurMacro) return;
  if (down && !isFull())
    m_pCurMacro->addItem(kMouseEventType, action, 0, 0, Macro::kInsertAfterSelection);
  if (up && !isFull())
    m_pCurMacro->addItem(kMouseEventType, action, 1, 0, Macro::kInsertAfterSelection);
}

void KivMacroCtrl::redraw() {
  setNeedsDisplay();
  accessibilityChanged();
}

void KivMacroCtrl::drawRect(GraphicsContext& gc, const Rect& dirtyRect) {
  KivImageView::drawRect(gc, dirtyRect);
  if (!m_pCurMacro) return;
  for (const EventItem& row : m_pCurMacro->eventItems()) {
    const ItemRect& r = row.rect();
    double x0 = truncToInt(r.x + 2), yb = truncToInt(r.y), yt = truncToInt(r.y + r.height);
    Color text = row.selected() ? m_selColor : m_normalColor;
    std::string mouse = row.mouseEventString();
    if (!mouse.empty()) {
      double m = static_cast<int32_t>(yb + yt) / 2;
      gc.strokeLine({x0, m}, {x0 + 10, m}, m_normalColor);
      gc.drawText(mouse, {x0 + 15, yb}, m_font, text);
    } else {
      if (row.state() == 0) {
        gc.strokeLine({x0, yt - 9}, {x0 + 5, yb + 3}, m_normalColor);
        gc.strokeLine({x0 + 5, yb + 3}, {x0 + 10, yt - 9}, m_normalColor);
      } else if (row.state() == 1) {
        gc.strokeLine({x0, yb + 3}, {x0 + 5, yt - 9}, m_normalColor);
        gc.strokeLine({x0 + 5, yt - 9}, {x0 + 10, yb + 3}, m_normalColor);
      }
      gc.drawText(std::string(keyName(row.eventAction())), {x0 + 15, yb}, m_font, text);
    }
    gc.drawText(row.delayString(), {x0 + kDelayColumn, yb}, m_font, text);
  }
}

void KivMacroCtrl::mouseDown(const MouseEvent& event) {
  if (!m_bEnable) return;
  if (editInput()) return;
  if (m_pCurMacro) m_pCurMacro->OnLBtDown({event.location.x, event.location.y});
  redraw();
}

void KivMacroCtrl::mouseUp(const MouseEvent& event) {
  if (!m_bEnable) return;
  if (m_pCurMacro) m_pCurMacro->OnLBtUp({event.location.x, event.location.y});
  redraw();
}

void KivMacroCtrl::rightMouseDown(const MouseEvent& event) {
  if (m_bRecord || !m_menu) return;
  m_menu->popMenu(event.screenLocation, KivMenu::kTopLeft);
}

std::string KivMacroCtrl::accessibleValue() const {
  if (!m_pCurMacro) return {};
  for (const EventItem& row : m_pCurMacro->eventItems())
    if (row.selected()) return eventRowText(row);
  return {};
}

std::vector<AccessibleRow> KivMacroCtrl::accessibleRows() const {
  std::vector<AccessibleRow> rows;
  if (!m_pCurMacro) return rows;
  for (const EventItem& row : m_pCurMacro->eventItems()) {
    const ItemRect& r = row.rect();
    rows.push_back({AccessibleRole::ListItem,
                    eventRowText(row),
                    {r.x, r.y, r.width, r.height},
                    row.selected() != 0});
  }
  return rows;
}

}  // namespace velt
