#pragma once
#include <cstdint>
#include <random>

namespace quorin {

class Random {
public:
    virtual ~Random() = default;
    // Next value of the sequence, in [0, 1).
    virtual double next() = 0;
};

class SeededRandom final : public Random {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    double next() override { return dist_(engine_); }

private:
    std::mt19937 engine_;
    std::uniform_real_distribution<double> dist_{0.0, 1.0};
};

} // namespace quorin
