#pragma once

// The shipped faces that play a fixed part in the program. Everything else (lookup, fallback,
// shape names) works on whatever face name a record stores, so these are the only places that
// know a face by name.
namespace qv::role {

// A new text object.
inline constexpr const char* kDefaultTextFace = "Quicksand Bold";
// A new shape object: a white star in a black circle, a badge that takes any colour.
inline constexpr const char* kDefaultShapeFace = "D050000L Regular";
inline constexpr int kDefaultShapeGlyph = 43;
// Captions of the skinned buttons and the loading screen.
inline constexpr const char* kCaptionFace = "Conduit 2 Italics BRK Regular";
// The arrow of the page buttons; it points right, the left arrow is its mirror image.
inline constexpr const char* kArrowFace = "D050000L Regular";
inline constexpr int kArrowGlyph = 161;
// The brand word mark.
inline constexpr const char* kBrandFace = "Leckerli One Regular";

}  // namespace qv::role
