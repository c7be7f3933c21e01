#include <cstdlib>
#include <new>
#include <vector>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "pricing/SimulationRun.h"

namespace {

// Counts every allocation of the process while counting is on.
bool counting = false;
long allocations = 0;

}  // namespace

void* operator new(std::size_t size)
{
    if (counting) {
        ++allocations;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

// Stores into preallocated space; its own work is not counted.
class StoringObserver : public RunObserver {
public:
    explicit StoringObserver(size_t capacity) { values.reserve(capacity); }
    void SetProgress(int32_t percent) override { Store(percent); }
    void ClearSeries(GeneratorKind) override {}
    void AddPoint(GeneratorKind, double, double y, RgbColour) override { Store(y); }
    void SetCell(int32_t, int32_t, const std::string& text) override { Store(static_cast<double>(text.size())); }
    void SetValueAxisMinimum(double value) override { Store(value); }
    void SetValueAxisMaximum(double value) override { Store(value); }

private:
    void Store(double value)
    {
        counting = false;
        values.push_back(value);
        counting = true;
    }
    std::vector<double> values;
};

long AllocationsOfPress(const PricingParameters& inputs)
{
    Parameters = inputs;
    StoringObserver observer(2 * (4 * inputs.pathCount + 16));
    allocations = 0;
    counting = true;
    RunSequence(observer);
    counting = false;
    return allocations;
}

TEST(Allocation, NoPathAllocates)
{
    PricingParameters inputs = DefaultInputs(2);
    EXPECT_EQ(AllocationsOfPress(inputs), 0);
    inputs.averageKind = AverageKind::Arithmetic;
    EXPECT_EQ(AllocationsOfPress(inputs), 0);
    inputs.useControlVariate = true;
    inputs.fixingCount = 1024;
    EXPECT_EQ(AllocationsOfPress(inputs), 0);
}

}  // namespace
