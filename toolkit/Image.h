#pragma once

#include <functional>
#include <memory>
#include <string>

#include "toolkit/geometry.h"

namespace velt {

// An immutable bitmap picture shared by handle: copies are cheap and refer to the same
// pixels, which is how the controls "own" their pictures. A null image stands for "no
// picture". Pixel positions are measured from the bottom left, like everything else.
//
// Sizes and rectangles are in points. A picture may have pixels for several device pixel
// ratios (a sheet drawn for a screen at scale 2 has two pixels per point each way); its
// pixels at a ratio of 1 are what pixel(), save() and samePixels() read.
class Image {
 public:
  struct Data;  // defined by the platform layer

  Image() = default;
  explicit Image(std::shared_ptr<const Data> data) : d_(std::move(data)) {}

  // Loads a picture file or a compiled-in resource (":/sheets/Main_Normal.bmp"); null when
  // it is missing or cannot be decoded. One point is one pixel of the file.
  static Image load(const std::string& path);
  // A fully transparent picture of the given size (null for an empty size).
  static Image blank(Size size);
  // A picture of one colour, for tests and placeholders.
  static Image filled(Size size, Color color);
  // A picture of the given size (null for an empty size) whose pixels `make` gives the
  // first time they are needed (drawn, read, cut, saved): a control's over, down and
  // disabled pictures cost nothing until it is hovered, pressed or disabled. A result
  // of another size, or none, gives a transparent picture.
  static Image deferred(Size size, std::function<Image()> make);
  // A picture of the given size in points (null for an empty size) whose pixels for each
  // device pixel ratio `make` gives the first time they are needed at that ratio, and
  // which are kept. A result of another size, or none, gives a transparent picture.
  static Image atEachRatio(Size size, std::function<Image(double ratio)> make);
  // The pixels for a screen of that ratio, as a picture of their own: a sheet's drawn at
  // that ratio, a fixed picture's own pixels whatever the ratio.
  Image atRatio(double ratio) const;
  // How many pixels per point the pixels at that ratio have (1 for a picture loaded from
  // a file, the ratio itself for a sheet drawn for it).
  double pixelRatio(double ratio = 1) const;
  // Whether the pixels exist yet (false for a deferred picture not used so far).
  bool pixelsMade() const;

  bool isNull() const { return d_ == nullptr; }
  explicit operator bool() const { return !isNull(); }
  Size size() const;
  int width() const { return static_cast<int>(size().width); }
  int height() const { return static_cast<int>(size().height); }

  // The colour at pixel (x, y) from the bottom left; clear outside the picture.
  Color pixel(int x, int y) const;
  // A new picture of the rectangle's size holding that rectangle of this one (from the
  // bottom left), composited source-over onto transparent; parts outside are transparent.
  // Null for an empty rectangle or a null image.
  Image cut(const Rect& rect) const;
  bool save(const std::string& path) const;

  // Same pixels, not merely the same handle.
  bool samePixels(const Image& other) const;

  const Data* data() const { return d_.get(); }

 private:
  std::shared_ptr<const Data> d_;
};

}  // namespace velt
