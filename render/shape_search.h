#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "render/shape_text.h"

namespace qv {

// How well a shape answers a query, best first.
enum class ShapeMatch {
    kExactName = 0,   // the name is the query
    kNamePrefix = 1,  // the name begins with it
    kKeyword = 2,     // a keyword, or a word of the name, is the query
    kSubstring = 3,   // it stands somewhere in the name or a keyword, or all its words do
    kNone = 4,
};

// `query` must already be normalised (NormalizeSearchText).
ShapeMatch MatchShape(const ShapeText& shape, std::string_view query);

// The indices of the shapes that match `query`, best match first, then the shorter name,
// then table order; at most `limit`. An empty query matches nothing.
std::vector<int> SearchShapes(const std::vector<ShapeText>& shapes, std::string_view query,
                              size_t limit = static_cast<size_t>(-1));

}  // namespace qv
