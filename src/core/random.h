#pragma once

#include <cstdint>
#include <functional>

namespace core {

// The 32-bit linear congruential generator the paper is drawn with.
class Lcg
{
public:
    explicit Lcg(std::uint32_t seed = 0) : seed_(seed) {}

    void setSeed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t seed() const { return seed_; }

    // One step; a value below m is the upper half of the 64-bit product seed * m, so every
    // value is reachable and none is favoured by more than one part in 2^32 / m.
    std::uint32_t next(std::uint32_t m)
    {
        seed_ = seed_ * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(seed_) * m) >> 32);
    }

    // A draw takes two steps and keeps the second: right after a re-seed from a clock the first
    // value follows the clock too closely.
    std::uint32_t draw(std::uint32_t m)
    {
        next(m);
        return next(m);
    }

private:
    std::uint32_t seed_;
};

// Where each draw's seed comes from; tests give a fixed sequence.
using SeedSource = std::function<std::uint32_t()>;

// The low 32 bits of a high-resolution monotonic clock.
std::uint32_t clockSeed();

} // namespace core
