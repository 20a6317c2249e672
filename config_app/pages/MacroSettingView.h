#pragma once

#include "model/MacroLibrary.h"
#include "toolkit/KivImageView.h"

namespace velt {

class MacroData;

// The macro page. It owns the macro library: the library is read when the page is made
// and written only by an apply (saveMacros). The recorder and event list come with the
// macro page itself.
class MacroSettingView : public KivImageView {
 public:
  // Reads the library from the user's macro folder.
  void readLocalData();
  // Writes the library; false when a file could not be written.
  bool saveMacros();
  // A profile's macro joins the library unless one with its ID is there.
  void addMacro(const MacroData& data);
  MacroLibrary& library() { return library_; }

  bool acceptsFirstResponder() const override { return true; }

 private:
  MacroLibrary library_;
};

}  // namespace velt
