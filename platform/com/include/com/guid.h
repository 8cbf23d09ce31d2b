// GUID text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "com/types.h"

namespace com {

std::string GuidToString(const GUID& guid);
std::optional<GUID> GuidFromString(std::string_view text);

}  // namespace com
