#include "dsp/PedalCircuitModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace
{
    // The table as one continuous run of the clipper from rest, solved point by point.
    struct Sweep
    {
        std::vector<float> values;
        double endState = 0.0;
    };

    Sweep solvedSweep (DiodeClipperTable table)
    {
        table.state = 0.0;
        const int32_t count = ClipperTableGrid::pointCount (table.rangeLow, table.rangeHigh);
        Sweep sweep;

        for (int32_t i = 0; i < count; ++i)
            sweep.values.push_back (static_cast<float> (table.solve (ClipperTableGrid::point (table.rangeLow, table.rangeHigh, count, i), 0.0)));

        sweep.endState = table.state;
        return sweep;
    }

    void expectSolvedSweeps (const PedalCircuitModel& model)
    {
        for (const auto* table : { &model.clipperTable, &model.asymmetricTable.positiveHalf,
                                   &model.asymmetricTable.negativeHalf, &model.waveshaperA.diodeTable,
                                   &model.waveshaperB.diodeTable })
        {
            const auto sweep = solvedSweep (*table);
            EXPECT_EQ (table->values, sweep.values);
            EXPECT_EQ (table->state, sweep.endState);
        }
    }
}

// Tables are shared between models once swept; each must still be the sweep of its own
// device at its own rate, whatever was prepared before.
TEST (ClipperSweepSharing, EveryModelsTablesAreTheSweepsOfItsOwnDevicesAndRate)
{
    for (const double rate : { 44100.0, 96000.0, 32000.0 })
        for (int32_t circuit = 0; circuit < 5; ++circuit)
        {
            PedalCircuitModel model;
            model.prepare (rate);
            model.setCircuitType (circuit);
            SCOPED_TRACE (testing::Message() << rate << " Hz, circuit " << circuit);
            expectSolvedSweeps (model);
        }
}

TEST (ClipperSweepSharing, InstancesPreparingAtTheSameMomentGetTheSameTables)
{
    constexpr double rate = 50000.0;
    std::vector<PedalCircuitModel> models (4);
    std::vector<std::thread> threads;

    for (auto& model : models)
        threads.emplace_back ([&model]
        {
            model.prepare (rate);
            model.setCircuitType (PedalCircuitModel::smoothCircuit);
            model.setCircuitType (PedalCircuitModel::mgvCircuit);
        });

    for (auto& thread : threads)
        thread.join();

    expectSolvedSweeps (models.front());

    for (const auto& model : models)
    {
        EXPECT_EQ (model.clipperTable.values, models.front().clipperTable.values);
        EXPECT_EQ (model.asymmetricTable.values, models.front().asymmetricTable.values);
    }
}

// A processor solves its models' tables ahead into a bank, for every circuit at two rates; the
// tables its models copy from there must be the very ones a model solves for itself.
TEST (ClipperSweepSharing, TablesCopiedFromABankAreTheOnesAModelSolves)
{
    ClipperSweepBank bank;
    auto wanted = PedalCircuitModel::clipperTablesAt (44100.0);
    wanted.add (PedalCircuitModel::clipperTablesAt (88200.0));
    bank.prepare (wanted);

    for (const double rate : { 88200.0, 44100.0 })
        for (int32_t circuit = 0; circuit < 5; ++circuit)
        {
            PedalCircuitModel banked;
            banked.sweepBank = &bank;
            banked.prepare (rate);
            banked.setCircuitType (circuit);

            PedalCircuitModel alone;
            alone.prepare (rate);
            alone.setCircuitType (circuit);

            SCOPED_TRACE (testing::Message() << rate << " Hz, circuit " << circuit);
            expectSolvedSweeps (banked);
            EXPECT_EQ (banked.asymmetricTable.values, alone.asymmetricTable.values);
        }
}

// Whatever rates an instance has been prepared for before, its bank holds only the tables of
// the last one, so its memory does not grow with every rate a host tries.
TEST (ClipperSweepSharing, ABankHoldsOnlyTheTablesItWasLastAskedFor)
{
    ClipperSweepBank bank;

    for (const double rate : { 44100.0, 48000.0, 96000.0 })
        bank.prepare (PedalCircuitModel::clipperTablesAt (rate));

    const auto wanted = PedalCircuitModel::clipperTablesAt (96000.0);
    ASSERT_EQ (bank.sweeps.size(), wanted.sweeps.size());
    ASSERT_EQ (bank.asymmetricTables.size(), wanted.asymmetricTables.size());

    for (const auto& sweep : bank.sweeps)
        EXPECT_NE (std::find (wanted.sweeps.begin(), wanted.sweeps.end(), sweep.inputs), wanted.sweeps.end());
}
