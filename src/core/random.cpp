#include "random.h"

#include <chrono>

namespace core {

std::uint32_t clockSeed()
{
    return std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace core
