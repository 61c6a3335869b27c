#pragma once

#include <map>
#include <string>
#include <vector>

namespace qv {

// The installation's map of face name -> font package (fontmap.txt beside the font library,
// lines "face<TAB>package"); empty when it cannot be read.
std::map<std::string, std::string> ReadFontPackages(const std::string& install_dir);

// The path of a package's licence text in the installation.
std::string LicencePath(const std::string& install_dir, const std::string& package);

// The licence names a licence text declares in its "License:" fields, each once, in order;
// the packaging's own paragraph ("Files: debian/*") is left out.
std::vector<std::string> LicenceNames(const std::string& text);

}  // namespace qv
