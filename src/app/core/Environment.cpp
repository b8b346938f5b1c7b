#include "app/core/Environment.h"

#include <cstdlib>

namespace velmora {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace velmora
