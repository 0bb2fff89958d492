#pragma once

#include "dsp/ClipperTableGrid.h"
#include "dsp/DiodeModelParams.h"

#include <cmath>
#include <cstdint>
#include <vector>

struct ClipperSweepBank;

// A resistor into a node held by two antiparallel diodes and a trapezoidal one-pole lowpass.
// The table holds the clipper's output over an input range; at run time a table value seeds
// a Newton solve of the same equation, which then usually converges in a few steps.
struct DiodeClipperTable
{
    double saturationCurrent = 5.4e-9;
    double emissionCoefficient = 1.951;
    double thermalVoltage = 0.0278;
    double seriesResistance = 9300.0;
    double cornerCoefficient = 0.0; // g = tan (pi * fc / fs)
    double blend = 0.0;             // k = g / (g + 1)
    double state = 0.0;
    double rangeLow = -5.0;
    double rangeHigh = 5.0;
    int32_t iterationCount = 0;
    int32_t iterationLimit = 100;
    std::vector<float> values;

    void setDevice (const DiodeModelParams& device) noexcept;

    // Refills the table with one continuous sweep of the clipper from rangeLow upwards,
    // starting from the current state, and leaves the state where the sweep ended.
    // A sweep is a few thousand Newton solves and fully determined by its inputs, so a sweep
    // held in bank, or one this table or any other in the process has already done, is copied,
    // not solved again. values is the sweep's result: it is not to be written from outside.
    void build (const ClipperSweepBank* bank = nullptr);

    // Builds by copying another table of the same model when that one was last built from
    // exactly this table's inputs; otherwise builds normally.
    void buildLike (const DiodeClipperTable& sibling, const ClipperSweepBank* bank = nullptr);

    // One clipper sample: solves s + k (x - s) - 2 k R Is sinh (v / (n Vt)) - v = 0 for v.
    double solve (double x, double start) noexcept
    {
        NewtonSolve solver (*this, x, start);

        while (solver.step())
        {
        }

        return solver.finish();
    }

    // One sample of two independent clippers (the two channels). Each takes exactly the steps
    // it would take alone; interleaving them lets the two chains of exponentials and divisions
    // overlap instead of waiting on each other.
    static void solvePair (DiodeClipperTable& first, double firstX, double firstStart, double& firstResult,
                           DiodeClipperTable& second, double secondX, double secondStart, double& secondResult) noexcept
    {
        NewtonSolve one (first, firstX, firstStart);
        NewtonSolve other (second, secondX, secondStart);
        bool oneRunning = true;
        bool otherRunning = true;

        while (oneRunning || otherRunning)
        {
            if (oneRunning)
                oneRunning = one.step();

            if (otherRunning)
                otherRunning = other.step();
        }

        firstResult = one.finish();
        secondResult = other.finish();
    }

    // The Newton iteration of one clipper sample, a step at a time.
    struct NewtonSolve
    {
        NewtonSolve (DiodeClipperTable& clipper, double x, double start) noexcept
            : table (clipper),
              s (clipper.state),
              a (2.0 * clipper.blend * clipper.seriesResistance * clipper.saturationCurrent),
              b (a / clipper.emissionCoefficient / clipper.thermalVoltage),
              perVolt (1.0 / (clipper.emissionCoefficient * clipper.thermalVoltage)), // saves two divisions a step
              drive (s + clipper.blend * (x - s)),
              v (start),
              next (start)
        {
        }

        // One Newton step; false once the solve has converged or run out of steps.
        bool step() noexcept
        {
            const double u = v * perVolt;

            // sinh u = sign (u) (1 - e^2) / 2e and cosh u = (1 + e^2) / 2e with e = exp (-|u|):
            // one exponential that cannot overflow, and the Newton step f / f' taken with both
            // scaled by 2e, so a step needs one division and no reciprocal of the exponential.
            const double e = std::exp (-std::abs (u));
            const double eSquared = e * e;
            const double twiceE = 2.0 * e;
            const double error = twiceE * (drive - v) - a * std::copysign (1.0 - eSquared, u);
            const double slope = -twiceE - b * (1.0 + eSquared);
            next = v - error / slope;

            if (std::abs (next - v) < 9.999999747378752e-06) // 1e-5 as a float
                return false;

            const int32_t previous = table.iterationCount;
            table.iterationCount = previous + 1;

            if (! (previous < table.iterationLimit))
                return false;

            v = next;
            return true;
        }

        // Moves the clipper's lowpass state on and returns the node voltage.
        double finish() noexcept
        {
            table.iterationCount = 0;
            table.state = 2.0 * next - s;
            return next;
        }

        DiodeClipperTable& table;
        const double s, a, b, perVolt, drive;
        double v, next;
    };

    // The inputs of a sweep; values and the end state follow from them alone.
    struct BuildInputs
    {
        double saturationCurrent, emissionCoefficient, thermalVoltage, seriesResistance;
        double blend, startState, rangeLow, rangeHigh;
        int32_t iterationLimit;

        bool operator== (const BuildInputs& other) const noexcept;
    };

    BuildInputs currentBuildInputs() const noexcept;

    // The inputs of the sweep values holds; null before the first build.
    const BuildInputs* builtFrom() const noexcept { return hasBuilt ? &lastBuildInputs : nullptr; }

    // Clamped linear read of the table; an empty table reads 0.
    float lookup (float x) const noexcept
    {
        return ClipperTableGrid::lookup (values.data(), static_cast<int32_t> (values.size()), rangeLow, rangeHigh, x);
    }

private:
    BuildInputs lastBuildInputs {};
    double lastBuildEndState = 0.0;
    bool hasBuilt = false;
};
