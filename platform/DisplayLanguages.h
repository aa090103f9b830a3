#pragma once
// The user's display languages, as Windows lists them.
#include <string>
#include <vector>

namespace platform {

// The user's display languages in the user's order, as tags ("tr-TR"): from
// GetUserPreferredUILanguages, or before Vista the user's UI language.
std::vector<std::string> UserDisplayLanguages();

} // namespace platform
