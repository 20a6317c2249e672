// The text field section: one KivEdit under its label.
#include "toolkit/KivEdit.h"
#include "toolkit/gallery/GallerySection.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

class EditSection : public GallerySection {
 public:
  void build(KivImageView& page) override {
    placeControl(*this, m_Edit, kGalleryMacroName, page);
    m_Edit.setFont(systemFont(11));
    m_Edit.setText("Macro1");
  }

 private:
  KivEdit m_Edit;
};

const RegisterGallerySection kSection{[] { return std::make_unique<EditSection>(); }};

}  // namespace

}  // namespace velt
