#pragma once

#include <memory>
#include <vector>

#include "toolkit/KivImageView.h"
#include "toolkit/gallery/GallerySection.h"

namespace velt {

// The gallery page: its background sheet and every registered section's controls.
class GalleryView : public KivImageView {
 public:
  GalleryView();
  const std::vector<std::unique_ptr<GallerySection>>& sections() const { return sections_; }

 private:
  std::vector<std::unique_ptr<GallerySection>> sections_;
};

}  // namespace velt
