// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PathsAxisTicker.h"

#include <cmath>

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
// ten; widening moves to the next.
const QVector<double> StepMantissas = {1.0, 2.0, 2.5, 5.0, 10.0};

bool IsPowerForm(const QString& label) { return label.contains(QLatin1Char('e')); }

}  // namespace

PathsAxisTicker::PathsAxisTicker(const QCPAxis* axis, bool logarithmic) : axis(axis), logarithmic(logarithmic)
{
    setLogBase(LogarithmBase);
}

void PathsAxisTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                               QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels)
{
    form = LabelForm::Chart;
    widening = 0;
    QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, tickLabels);
    if (tickLabels == nullptr || Readable(ticks, *tickLabels)) return;

    form = logarithmic ? LabelForm::Power : LabelForm::Plain;
    for (widening = 0;; ++widening) {
        QVector<double> wider;
        QVector<double> widerSubTicks;
        QVector<QString> widerLabels;
        QCPAxisTicker::generate(range, locale, formatChar, precision, wider, &widerSubTicks, &widerLabels);
        if (widening > 0 && wider.size() < MinimumLabels) return;
        ticks = wider;
        if (subTicks != nullptr) *subTicks = widerSubTicks;
        *tickLabels = widerLabels;
        if (Readable(wider, widerLabels)) return;
    }
}

double PathsAxisTicker::getTickStep(const QCPRange& range)
{
    double step = QCPAxisTicker::getTickStep(range);
    for (int i = 0; i < widening; ++i) {
        double magnitude = 1.0;
        const double mantissa = pickClosest(getMantissa(step, &magnitude), StepMantissas);
        const qsizetype next = std::min(StepMantissas.indexOf(mantissa) + 1, StepMantissas.size() - 1);
        step = StepMantissas[next] * magnitude;
    }
    return step;
}

int PathsAxisTicker::getSubTickCount(double tickStep)
{
    return logarithmic ? QCPAxisTickerLog::getSubTickCount(tickStep) : QCPAxisTicker::getSubTickCount(tickStep);
}

QString PathsAxisTicker::getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision)
{
    switch (form) {
    case LabelForm::Plain:
        return locale.toString(tick, 'g', PlainDigits);
    case LabelForm::Power:
        // The axis draws 1e+06 as 10 raised to 6.
        return locale.toString(tick, 'e', 0);
    case LabelForm::Chart:
        break;
    }
    return QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision);
}

QVector<double> PathsAxisTicker::createTickVector(double tickStep, const QCPRange& range)
{
    if (!logarithmic) return QCPAxisTicker::createTickVector(tickStep, range);
    if (widening == 0 || !(range.lower > 0.0)) return QCPAxisTickerLog::createTickVector(tickStep, range);
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

QVector<double> PathsAxisTicker::createSubTickVector(int subTickCount, const QVector<double>& ticks)
{
    if (!logarithmic || widening == 0) return QCPAxisTicker::createSubTickVector(subTickCount, ticks);
    // The decades that the widened step passes over.
    QVector<double> subTicks;
    for (qsizetype i = 0; i + 1 < ticks.size(); ++i)
        for (int decade = 1; decade < DecadeStep(); ++decade)
            subTicks.append(ticks[i] * std::pow(LogarithmBase, decade));
    return subTicks;
}

bool PathsAxisTicker::Readable(const QVector<double>& ticks, const QVector<QString>& labels) const
{
    for (const QString& label : labels)
        if (IsPowerForm(label) != IsPowerForm(labels.first())) return false;
    const TickLabelMeasure measure(*axis);
    const double gap = QFontMetrics(axis->tickLabelFont()).horizontalAdvance(QLatin1Char('0')) + PlacementSlack;
    for (qsizetype i = 1; i < ticks.size(); ++i) {
        const double space = measure.Extent(ticks[i], labels[i]).lower - measure.Extent(ticks[i - 1], labels[i - 1]).upper;
        if (space < gap) return false;
    }
    return true;
}
