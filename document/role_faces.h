#pragma once

// The shipped faces that play a fixed part in the program. Everything else (lookup, fallback,
// shape names) works on whatever face name a record stores, so these are the only places that
// know a face by name.
namespace qv::role {

// A new text object.
inline constexpr const char* kDefaultTextFace = "Accidental Presidency Regular";
// A new shape object: a star from the shape library.
inline constexpr const char* kDefaultShapeFace = "Starburst Regular";
inline constexpr int kDefaultShapeGlyph = 19;
// Captions of the skinned buttons and the loading screen.
inline constexpr const char* kCaptionFace = "Zekton Italic";
// The arrow of the page buttons; it points right, the left arrow is its mirror image.
inline constexpr const char* kArrowFace = "Pointers Regular";
inline constexpr int kArrowGlyph = 132;
// The brand word mark.
inline constexpr const char* kBrandFace = "Killer boots Regular";

}  // namespace qv::role
