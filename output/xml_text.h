#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Text for an XML attribute value or character data: & < > " ' escaped, and the control
// characters XML 1.0 does not allow dropped. `utf8` must already be UTF-8.
std::string XmlEscaped(const std::string& utf8);

// A number for SVG attributes: up to `decimals` places, trailing zeros removed, never "-0" and
// never exponent notation; non-finite values become 0.
std::string SvgNumber(double value, int decimals = 3);

// Base64 (RFC 4648, with padding), for data: URLs.
std::string Base64(const std::vector<uint8_t>& bytes);

}  // namespace qv
