#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "toolkit/KivImageView.h"

namespace velt {

// One family of controls in the gallery. The section is the parent of its controls (it
// gets their messages) but is not shown itself; its controls are subviews of the page.
class GallerySection : public KivImageView {
 public:
  virtual void build(KivImageView& page) = 0;
};

// Every section file registers its factory once:
//   static const RegisterGallerySection kSection{[] { return std::make_unique<MySection>(); }};
using GallerySectionFactory = std::function<std::unique_ptr<GallerySection>()>;
std::vector<GallerySectionFactory>& gallerySectionFactories();

struct RegisterGallerySection {
  explicit RegisterGallerySection(GallerySectionFactory factory) {
    gallerySectionFactories().push_back(std::move(factory));
  }
};

}  // namespace velt
