#ifndef HOST_PARTICLES_RANDOM_H
#define HOST_PARTICLES_RANDOM_H

#include <cstdint>

namespace host {
namespace particles {

// Random numbers that depend only on a seed, a particle id and a channel,
// so a particle gets the same values whether its frames are evaluated in a
// run-up, one by one, or in another order.
class Random {
public:
    Random(long seed, long id)
        : m_key(static_cast<std::uint64_t>(seed) * 0x9E3779B97F4A7C15ull ^
                static_cast<std::uint64_t>(id)) {}

    // In [0, 1).
    double uniform(unsigned channel) const {
        std::uint64_t z = m_key + 0x9E3779B97F4A7C15ull * (channel + 1);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
    }

private:
    std::uint64_t m_key;
};

}  // namespace particles
}  // namespace host

#endif
