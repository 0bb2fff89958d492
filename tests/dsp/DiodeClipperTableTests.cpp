#include "dsp/AsymmetricClipperTable.h"
#include "dsp/DiodeClipperTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    // With no diode current and k = 1 the clipper passes its input, so the table shows its grid.
    DiodeClipperTable transparentTable (double low, double high)
    {
        DiodeClipperTable table;
        table.saturationCurrent = 0.0;
        table.blend = 1.0;
        table.rangeLow = low;
        table.rangeHigh = high;
        table.build();
        return table;
    }

    // The clipper at a 19 kHz corner and 48 kHz, as the channel model sets it up.
    DiodeClipperTable standardTable()
    {
        DiodeClipperTable table;
        table.setDevice (standardClipperDiode);
        table.cornerCoefficient = std::tan (3.141592653589793 * 19000.0 / 48000.0);
        table.blend = table.cornerCoefficient / (table.cornerCoefficient + 1.0);
        table.rangeLow = -10.0;
        table.rangeHigh = 10.0;
        table.build();
        return table;
    }

    double clipperResidual (const DiodeClipperTable& t, double x, double s, double v)
    {
        const double current = 2.0 * t.saturationCurrent * std::sinh (v / (t.emissionCoefficient * t.thermalVoltage));
        return s + t.blend * (x - s) - t.blend * t.seriesResistance * current - v;
    }
}

TEST (DiodeClipperTable, SizeIsOneVoltMoreThanTheSpanAtTenMillivolts)
{
    EXPECT_EQ (transparentTable (-10.0, 10.0).values.size(), 2100u);
    EXPECT_EQ (transparentTable (-5.0, 5.0).values.size(), 1100u);
}

TEST (DiodeClipperTable, GridRunsFromRangeLowInStepsOfSpanOverCount)
{
    const auto table = transparentTable (-10.0, 10.0);

    EXPECT_EQ (table.values.front(), -10.0f);
    EXPECT_NEAR (table.values[1] - table.values[0], 0.009523809887468815, 1e-6);
    EXPECT_NEAR (table.values.back(), 10.0 - 20.0 / 2100.0, 1e-5);
}

TEST (DiodeClipperTable, LookupClampsAtAndBeyondTheRangeEnds)
{
    const auto table = standardTable();

    EXPECT_EQ (table.lookup (-10.0f), table.values.front());
    EXPECT_EQ (table.lookup (-25.0f), table.values.front());
    EXPECT_EQ (table.lookup (10.0f), table.values.back());
    EXPECT_EQ (table.lookup (1000.0f), table.values.back());
    EXPECT_EQ (table.lookup (std::nanf ("")), table.values.front());
}

TEST (DiodeClipperTable, LookupStretchesTheRangeOverAllEntries)
{
    // The grid's last point lies a step below the top, so mid-range reads sit slightly low.
    const auto table = transparentTable (-1.0, 1.0);
    EXPECT_NEAR (table.lookup (0.0f), -1.0 + 299.0 / 300.0, 1e-5);
    EXPECT_NEAR (table.lookup (0.5f), -1.0 + 1.5 * 299.0 / 300.0, 1e-5);
}

TEST (DiodeClipperTable, EmptyTableReadsZeroEverywhere)
{
    DiodeClipperTable table;

    for (const float x : { -100.0f, -5.0f, 0.0f, 2.5f, 5.0f, 100.0f })
        EXPECT_EQ (table.lookup (x), 0.0f) << x;
}

TEST (DiodeClipperTable, ClipsLargeInputsAndPassesSmallOnes)
{
    const auto table = standardTable();

    EXPECT_LT (std::abs (table.lookup (9.0f)), 3.0f);
    EXPECT_LT (std::abs (table.lookup (-9.0f)), 3.0f);
    EXPECT_NEAR (table.lookup (0.5f) - table.lookup (-0.5f), 1.0f, 0.05f);
}

TEST (DiodeClipperTable, SolveConvergesOnTheClipperEquationAndAdvancesTheState)
{
    auto table = standardTable();
    table.state = 0.3;

    const double v = table.solve (4.0, table.lookup (4.0f));

    EXPECT_NEAR (clipperResidual (table, 4.0, 0.3, v), 0.0, 1e-4);
    EXPECT_DOUBLE_EQ (table.state, 2.0 * v - 0.3);
    EXPECT_EQ (table.iterationCount, 0);
}

TEST (DiodeClipperTable, SolveThatDoesNotConvergeStopsAfterCapPlusOneSteps)
{
    // Newton from far above the solution creeps down by about n Vt per step, so four steps
    // are far from enough; a capped solve must equal four single steps chained.
    auto table = standardTable();
    table.iterationLimit = 3;
    table.state = 0.0;
    const double capped = table.solve (5.0, 8.0);
    const double stateAfterCapped = table.state;

    table.iterationLimit = 0;
    double v = 8.0;

    for (int step = 0; step < 4; ++step)
    {
        table.state = 0.0;
        v = table.solve (5.0, v);
    }

    EXPECT_EQ (capped, v);
    EXPECT_GT (std::abs (clipperResidual (table, 5.0, 0.0, capped)), 0.1);
    EXPECT_DOUBLE_EQ (stateAfterCapped, 2.0 * capped);
}

TEST (AsymmetricClipperTable, NegativeInputsAndMinusZeroReadTheNegativeHalf)
{
    AsymmetricClipperTable table;
    table.positiveHalf = transparentTable (-10.0, 10.0);
    table.negativeHalf = transparentTable (-10.0, 10.0);

    for (auto& v : table.negativeHalf.values)
        v = -100.0f;

    EXPECT_EQ (table.lookupHalves (-0.0f), -100.0f);
    EXPECT_EQ (table.lookupHalves (-1e-6f), -100.0f);
    EXPECT_EQ (table.lookupHalves (0.0f), table.positiveHalf.lookup (0.0f));
    EXPECT_EQ (table.lookupHalves (3.0f), table.positiveHalf.lookup (3.0f));

    table.rangeLow = -10.0;
    table.rangeHigh = 10.0;
    table.build();

    ASSERT_EQ (table.values.size(), 2100u);
    EXPECT_EQ (table.values[1049], -100.0f);
    EXPECT_NE (table.values[1050], -100.0f); // the grid point at exactly 0 V
    EXPECT_EQ (table.lookup (-10.0f), -100.0f);
    EXPECT_EQ (table.lookup (10.0f), table.values.back());
}

// The solve scales the Newton step to need one exponential and one division; it has to land
// where the textbook step with sinh and cosh lands, to rounding, from any start and state.
TEST (DiodeClipperTable, SolveLandsWhereTheTextbookNewtonStepLands)
{
    auto textbookSolve = [] (const DiodeClipperTable& t, double x, double s, double start)
    {
        const double nVt = t.emissionCoefficient * t.thermalVoltage;
        const double a = 2.0 * t.blend * t.seriesResistance * t.saturationCurrent;
        double v = start;

        for (int step = 0; step <= t.iterationLimit; ++step)
        {
            const double f = s + t.blend * (x - s) - a * std::sinh (v / nVt) - v;
            const double slope = -1.0 - a / nVt * std::cosh (v / nVt);
            const double next = v - f / slope;

            if (std::abs (next - v) < 9.999999747378752e-06)
                return next;

            v = next;
        }

        return v;
    };

    auto table = standardTable();
    double worst = 0.0;

    for (double s = -1.5; s <= 1.5; s += 0.25)
        for (double x = -12.0; x <= 12.0; x += 0.0625)
        {
            table.state = s;
            const double start = table.lookup (static_cast<float> (x));
            const double solved = table.solve (x, start);
            worst = std::max (worst, std::abs (solved - textbookSolve (table, x, s, start)));

            // The result solves the clipper's equation, not just the reference's.
            ASSERT_NEAR (clipperResidual (table, x, s, solved), 0.0, 1e-6) << x << " V from state " << s;
        }

    EXPECT_LT (worst, 1e-9);
}
