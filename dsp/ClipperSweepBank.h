#pragma once

#include "dsp/AsymmetricClipperTable.h"
#include "dsp/DiodeClipperTable.h"

#include <vector>

// The finished tables one processor's channel models may ask for once prepared: every clipper
// sweep of every circuit at each rate the models may be switched to, and the asymmetric tables
// made from them. It is filled where the host allows slow work; a circuit change or an HQ
// switch on the audio thread then only copies from here into tables whose storage is already
// there.
struct ClipperSweepBank
{
    struct Contents
    {
        std::vector<DiodeClipperTable::BuildInputs> sweeps;
        std::vector<AsymmetricClipperTable::Source> asymmetricTables;

        void add (const DiodeClipperTable::BuildInputs& sweep);
        void add (const AsymmetricClipperTable::Source& table);
        void add (const Contents& other);
    };

    // Makes the bank hold exactly these tables, so its memory stays bounded whatever rates come
    // and go. Tables already held are kept; sweeps are taken from the process-wide cache or
    // solved. Allocates.
    void prepare (const Contents& wanted);

    // Copy a held table (values, and a sweep's end state) into table; false when the bank does
    // not hold it. They allocate nothing once table has held a table of that size.
    bool fetch (const DiodeClipperTable::BuildInputs& inputs, DiodeClipperTable& table) const;
    bool fetch (const AsymmetricClipperTable::Source& source, AsymmetricClipperTable& table) const;

    struct Sweep
    {
        DiodeClipperTable::BuildInputs inputs;
        double endState;
        std::vector<float> values;
    };

    struct AsymmetricTable
    {
        AsymmetricClipperTable::Source source;
        std::vector<float> values;
    };

    std::vector<Sweep> sweeps;
    std::vector<AsymmetricTable> asymmetricTables;
};
