#pragma once

#include <string>

namespace velmora {

// The value of an environment variable; empty when it is unset.
std::string EnvironmentValue(const char* name);

}  // namespace velmora
