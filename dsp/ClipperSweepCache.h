#pragma once

#include "dsp/DiodeClipperTable.h"

// Finished clipper sweeps shared by every model in the process. A sweep depends on its
// inputs alone, and both channels of every instance sweep the same few devices at the same
// rates, so each distinct sweep is solved once. Entries are immutable once published and
// published without locks, so instances preparing at the same moment on different audio
// threads never wait for each other; at worst both solve the same sweep.
namespace ClipperSweepCache
{
    // Copies a published sweep with exactly these inputs into table (values and end state).
    bool fetch (const DiodeClipperTable::BuildInputs& inputs, DiodeClipperTable& table);

    // Publishes a finished sweep; does nothing once the cache is full.
    void publish (const DiodeClipperTable::BuildInputs& inputs, const DiodeClipperTable& table);
}
