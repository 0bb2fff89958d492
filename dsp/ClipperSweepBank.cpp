#include "dsp/ClipperSweepBank.h"

#include <algorithm>
#include <type_traits>

namespace
{
    template <typename Items, typename Key>
    auto findByKey (Items& items, const Key& key)
    {
        return std::find_if (items.begin(), items.end(), [&key] (const auto& item)
        {
            if constexpr (std::is_same_v<Key, DiodeClipperTable::BuildInputs>)
                return item.inputs == key;
            else
                return item.source == key;
        });
    }

    template <typename Key>
    void addOnce (std::vector<Key>& keys, const Key& key)
    {
        if (std::find (keys.begin(), keys.end(), key) == keys.end())
            keys.push_back (key);
    }

    DiodeClipperTable tableToSweep (const DiodeClipperTable::BuildInputs& inputs)
    {
        DiodeClipperTable table;
        table.saturationCurrent = inputs.saturationCurrent;
        table.emissionCoefficient = inputs.emissionCoefficient;
        table.thermalVoltage = inputs.thermalVoltage;
        table.seriesResistance = inputs.seriesResistance;
        table.blend = inputs.blend;
        table.state = inputs.startState;
        table.rangeLow = inputs.rangeLow;
        table.rangeHigh = inputs.rangeHigh;
        table.iterationLimit = inputs.iterationLimit;
        return table;
    }
}

void ClipperSweepBank::Contents::add (const DiodeClipperTable::BuildInputs& sweep)   { addOnce (sweeps, sweep); }
void ClipperSweepBank::Contents::add (const AsymmetricClipperTable::Source& table)   { addOnce (asymmetricTables, table); }

void ClipperSweepBank::Contents::add (const Contents& other)
{
    for (const auto& sweep : other.sweeps)
        add (sweep);

    for (const auto& table : other.asymmetricTables)
        add (table);
}

void ClipperSweepBank::prepare (const Contents& wanted)
{
    std::vector<Sweep> nextSweeps;

    for (const auto& inputs : wanted.sweeps)
    {
        if (findByKey (nextSweeps, inputs) != nextSweeps.end())
            continue;

        if (const auto held = findByKey (sweeps, inputs); held != sweeps.end())
        {
            nextSweeps.push_back (std::move (*held));
            continue;
        }

        auto table = tableToSweep (inputs);
        table.build();
        nextSweeps.push_back ({ inputs, table.state, std::move (table.values) });
    }

    sweeps = std::move (nextSweeps);
    std::vector<AsymmetricTable> nextTables;

    for (const auto& source : wanted.asymmetricTables)
    {
        if (findByKey (nextTables, source) != nextTables.end())
            continue;

        if (const auto held = findByKey (asymmetricTables, source); held != asymmetricTables.end())
        {
            nextTables.push_back (std::move (*held));
            continue;
        }

        AsymmetricClipperTable table;
        table.positiveHalf = tableToSweep (source.positive);
        table.negativeHalf = tableToSweep (source.negative);
        table.positiveHalf.build (this);
        table.negativeHalf.build (this);
        table.rangeLow = source.rangeLow;
        table.rangeHigh = source.rangeHigh;
        table.build();
        nextTables.push_back ({ source, std::move (table.values) });
    }

    asymmetricTables = std::move (nextTables);
}

bool ClipperSweepBank::fetch (const DiodeClipperTable::BuildInputs& inputs, DiodeClipperTable& table) const
{
    const auto sweep = findByKey (sweeps, inputs);

    if (sweep == sweeps.end())
        return false;

    table.values.assign (sweep->values.begin(), sweep->values.end());
    table.state = sweep->endState;
    return true;
}

bool ClipperSweepBank::fetch (const AsymmetricClipperTable::Source& source, AsymmetricClipperTable& table) const
{
    const auto held = findByKey (asymmetricTables, source);

    if (held == asymmetricTables.end())
        return false;

    table.values.assign (held->values.begin(), held->values.end());
    return true;
}
