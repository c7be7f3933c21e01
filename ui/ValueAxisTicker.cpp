#include "ui/ValueAxisTicker.h"

#include <algorithm>

namespace {

constexpr double MinimumLabelDistance = 0.01;

}  // namespace

double ValueAxisTicker::getTickStep(const QCPRange& range)
{
    return std::max(QCPAxisTicker::getTickStep(range), MinimumLabelDistance);
}
