#include "toolkit/KivImageView.h"

#include <algorithm>
#include <utility>

#include "base/log.h"

namespace velt {

KivImageView::KivImageView() = default;

KivImageView::~KivImageView() {
  removeFromSuperview();
  for (KivImageView* sub : subviews_) sub->superview_ = nullptr;
  // The subviews' hosts hang below ours; let them go first so that ours is not asked
  // to destroy what their views still own.
  for (KivImageView* sub : subviews_)
    if (sub->host_) sub->host_->setSuperHost(nullptr);
}

void KivImageView::initView(KivImageView* parent, int32_t id, const Rect& rect) {
  m_pParent = parent;
  m_nID = id;
  m_bEnable = true;
  initWithFrame(rect);
  setNeedsDisplay();
}

void KivImageView::initWithFrame(const Rect& rect) {
  if (!host_) host_ = createHost();
  // The host tracks enter and exit over the bounds from the start.
  setFrame(rect);
  m_bEnable = true;
}

std::unique_ptr<ViewHost> KivImageView::createHost() {
  return createViewHost(*this);
}

void KivImageView::setBkImage(const Image& image) {
  m_bkImage = image;
  setNeedsDisplay();
}

void KivImageView::enable(bool flag) {
  m_bEnable = flag;
  setNeedsDisplay();
  accessibilityChanged();
}

void KivImageView::OnCmd(int32_t id) {
  logf("NSKivImageView button %d click", id);
}

void KivImageView::subMsg(int32_t id, int32_t value) {
  logf("%d send message:%d", id, value);
}

bool KivImageView::sendCmd(int32_t id) {
  if (!m_pParent) return true;
  const ViewLife alive = life();
  m_pParent->OnCmd(id);
  return alive.alive();
}

bool KivImageView::sendMsg(int32_t id, int32_t value) {
  if (!m_pParent) return true;
  const ViewLife alive = life();
  m_pParent->subMsg(id, value);
  return alive.alive();
}

void KivImageView::drawRect(GraphicsContext& gc, const Rect&) {
  if (m_bkImage) gc.drawImage(m_bkImage, bounds(), CompositeMode::SourceIn);
}

void KivImageView::mouseEntered(const MouseEvent&) {
  passEvent();
}
void KivImageView::mouseExited(const MouseEvent&) {
  passEvent();
}
void KivImageView::mouseDown(const MouseEvent&) {
  passEvent();
}
void KivImageView::mouseUp(const MouseEvent&) {
  passEvent();
}
void KivImageView::mouseDragged(const MouseEvent&) {
  passEvent();
}
void KivImageView::mouseMoved(const MouseEvent&) {
  passEvent();
}
void KivImageView::rightMouseDown(const MouseEvent&) {
  passEvent();
}
void KivImageView::keyDown(const KeyEvent&) {
  passEvent();
}
void KivImageView::keyUp(const KeyEvent&) {
  passEvent();
}
void KivImageView::flagsChanged(const KeyEvent&) {
  passEvent();
}

bool KivImageView::takeEventPassed() {
  return std::exchange(eventPassed_, false);
}

bool KivImageView::becomeFirstResponder() {
  return acceptsFirstResponder() && host_ && host_->makeFirstResponder();
}

void KivImageView::resignFirstResponder() {
  if (host_) host_->resignFirstResponder();
}

void KivImageView::addSubview(KivImageView* view) {
  if (!view || view == this) return;
  view->removeFromSuperview();
  if (!host_) host_ = createHost();
  if (!view->host_) view->host_ = view->createHost();
  view->superview_ = this;
  subviews_.push_back(view);
  view->host_->setSuperHost(host_.get());
  view->host_->setFrame(view->frame_);
  view->host_->setAcceptsKeyboardFocus(view->acceptsFirstResponder());
  view->host_->setHidden(view->hidden_);
}

void KivImageView::removeFromSuperview() {
  if (!superview_) return;
  auto& siblings = superview_->subviews_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  superview_ = nullptr;
  if (host_) host_->setSuperHost(nullptr);
}

void KivImageView::setFrame(const Rect& frame) {
  frame_ = frame;
  if (host_) host_->setFrame(frame);
}

void KivImageView::setHidden(bool hidden) {
  hidden_ = hidden;
  if (host_) host_->setHidden(hidden);
}

bool KivImageView::isShownOnScreen() const {
  for (const KivImageView* view = this; view; view = view->superview())
    if (view->isHidden()) return false;
  return !host_ || !host_->inHiddenWindow();
}

void KivImageView::setNeedsDisplay() {
  if (host_) host_->setNeedsDisplay();
}

Point KivImageView::convertToScreen(const Point& inView) const {
  return host_ ? host_->convertToScreen(inView) : inView;
}

Point KivImageView::convertToWindow(const Point& inView) const {
  return host_ ? host_->convertToWindow(inView) : inView;
}

void KivImageView::setAccessibleName(const std::string& name) {
  m_strAccessibleName = name;
  accessibilityChanged();
}

void KivImageView::setAccessibleDescription(const std::string& description) {
  m_strAccessibleDescription = description;
  accessibilityChanged();
}

void KivImageView::accessibilityChanged() {
  if (host_) host_->accessibilityChanged();
}

}  // namespace velt
