// The text field section: one KivEdit under its label.
#include "toolkit/KivEdit.h"
#include "toolkit/gallery/GallerySection.h"
#include "toolkit/layout/gallery_layout.h"

namespace velt {

namespace {

class EditSection : public GallerySection {
 public:
  void build(KivImageView& page) override {
    m_Edit.initView(this, kGalleryEdit.firstId, kGalleryEditFrame);
    m_Edit.setFont(systemFont(11));
    m_Edit.setText("Macro1");
    m_Edit.setAccessibleName("Macro name");
    page.addSubview(&m_Edit);
  }

 private:
  KivEdit m_Edit;
};

const RegisterGallerySection kSection{[] { return std::make_unique<EditSection>(); }};

}  // namespace

}  // namespace velt
