// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PathsAxisTicker.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include <QFontMetrics>

#include "ui/TickLabelMeasure.h"

namespace {

constexpr double LogarithmBase = 10.0;
// Widening stops before it would leave fewer labels than this.
constexpr int MinimumLabels = 2;
// Label places are rounded to whole pixels when drawn.
constexpr double PlacementSlack = 1.0;
// Enough significant digits to write any whole path count in full.
constexpr int PlainDigits = 15;
// The steps the chart's own ticker chooses from, as multiples of a power of
// ten; widening moves to the next. A power of ten may come back from the
// mantissa as 10 times the power below it, whose next step is 20 times that.
constexpr double StepMantissas[] = {1.0, 2.0, 2.5, 5.0, 10.0, 20.0};
// A step this close to a candidate is that candidate.
constexpr double StepTolerance = 1e-9;

bool IsPowerForm(const QString& label) { return label.contains(QLatin1Char('e')); }

// Derived from the chart's own ticker for the scale, whose ticks it keeps
// where they can be read; the axis also draws powers of ten by the kind of
// its ticker (10 raised to 6 on the logarithmic scale, 1 times that on the
// linear one).
template <class ChartTicker>
class PathsAxisTicker : public ChartTicker {
public:
    explicit PathsAxisTicker(const QCPAxis* axis) : axis(axis)
    {
        if constexpr (Logarithmic) this->setLogBase(LogarithmBase);
    }

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override
    {
        form = LabelForm::Chart;
        widening = 0;
        ChartTicker::generate(range, locale, formatChar, precision, ticks, subTicks, tickLabels);
        if (tickLabels == nullptr || Readable(ticks, *tickLabels)) return;

        form = Logarithmic ? LabelForm::Power : LabelForm::Plain;
        for (widening = 0;; ++widening) {
            QVector<double> wider;
            QVector<double> widerSubTicks;
            QVector<QString> widerLabels;
            ChartTicker::generate(range, locale, formatChar, precision, wider, &widerSubTicks, &widerLabels);
            if (widening > 0 && (wider.size() < MinimumLabels || wider == ticks)) return;
            ticks = wider;
            if (subTicks != nullptr) *subTicks = widerSubTicks;
            *tickLabels = widerLabels;
            if (Readable(wider, widerLabels)) return;
        }
    }

protected:
    double getTickStep(const QCPRange& range) override
    {
        double step = ChartTicker::getTickStep(range);
        for (int i = 0; i < widening; ++i) {
            // The least candidate above the step, so that each widening
            // lengthens it and ends with fewer than two ticks in the range.
            double magnitude = 1.0;
            this->getMantissa(step, &magnitude);
            const double* next = std::find_if(std::begin(StepMantissas), std::end(StepMantissas), [&](double m) {
                return m * magnitude > step * (1.0 + StepTolerance);
            });
            if (next == std::end(StepMantissas)) break;
            step = *next * magnitude;
        }
        return step;
    }

    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override
    {
        switch (form) {
        case LabelForm::Plain:
            return locale.toString(tick, 'g', PlainDigits);
        case LabelForm::Power:
            // Drawn as 10 raised to the exponent.
            return locale.toString(tick, 'e', 0);
        case LabelForm::Chart:
            break;
        }
        return ChartTicker::getTickLabel(tick, locale, formatChar, precision);
    }

    QVector<double> createTickVector(double tickStep, const QCPRange& range) override
    {
        if (!Logarithmic || widening == 0 || !(range.lower > 0.0))
            return ChartTicker::createTickVector(tickStep, range);
        // Every DecadeStep()-th power of ten, from the last at or below the
        // range to the first at or above it.
        const int step = DecadeStep();
        int exponent = static_cast<int>(std::floor(std::log10(range.lower) / step)) * step;
        QVector<double> ticks;
        do {
            ticks.append(std::pow(LogarithmBase, exponent));
            exponent += step;
        } while (ticks.last() < range.upper);
        return ticks;
    }

    QVector<double> createSubTickVector(int subTickCount, const QVector<double>& ticks) override
    {
        if (!Logarithmic || widening == 0) return ChartTicker::createSubTickVector(subTickCount, ticks);
        // The decades that the widened step passes over.
        QVector<double> subTicks;
        for (qsizetype i = 0; i + 1 < ticks.size(); ++i)
            for (int decade = 1; decade < DecadeStep(); ++decade)
                subTicks.append(ticks[i] * std::pow(LogarithmBase, decade));
        return subTicks;
    }

private:
    static constexpr bool Logarithmic = std::is_same_v<ChartTicker, QCPAxisTickerLog>;
    enum class LabelForm { Chart, Plain, Power };

    bool Readable(const QVector<double>& ticks, const QVector<QString>& labels) const
    {
        for (const QString& label : labels)
            if (IsPowerForm(label) != IsPowerForm(labels.first())) return false;
        const TickLabelMeasure measure(*axis);
        const double gap = QFontMetrics(axis->tickLabelFont()).horizontalAdvance(QLatin1Char('0')) + PlacementSlack;
        for (qsizetype i = 1; i < ticks.size(); ++i) {
            const double space =
                measure.Extent(ticks[i], labels[i]).lower - measure.Extent(ticks[i - 1], labels[i - 1]).upper;
            if (space < gap) return false;
        }
        return true;
    }

    // Decades from one tick to the next on the logarithmic scale once the
    // step is widened.
    int DecadeStep() const { return 1 + widening; }

    const QCPAxis* axis;
    LabelForm form = LabelForm::Chart;
    // How many steps beyond the chart's own the current generation is.
    int widening = 0;
};

}  // namespace

QSharedPointer<QCPAxisTicker> MakePathsAxisTicker(const QCPAxis* axis, bool logarithmic)
{
    if (logarithmic) return QSharedPointer<PathsAxisTicker<QCPAxisTickerLog>>::create(axis);
    return QSharedPointer<PathsAxisTicker<QCPAxisTicker>>::create(axis);
}
