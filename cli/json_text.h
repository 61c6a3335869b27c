#pragma once

#include <string>

namespace qv::cli {

// `text` as a JSON string literal, quotes included. Bytes that are not UTF-8 become U+FFFD so
// that the output stays valid JSON.
std::string JsonString(const std::string& text);

}  // namespace qv::cli
