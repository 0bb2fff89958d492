#include "dsp/DiodeClipperTable.h"

void DiodeClipperTable::setDevice (const DiodeModelParams& device) noexcept
{
    saturationCurrent = device.saturationCurrent;
    emissionCoefficient = device.emissionCoefficient;
    thermalVoltage = device.thermalVoltage;
    seriesResistance = device.seriesResistance;
}

void DiodeClipperTable::build()
{
    const int32_t count = ClipperTableGrid::pointCount (rangeLow, rangeHigh);

    // Keeps the storage: variant changes run on the audio thread and rebuild tables of the
    // same size, so after the first preparation they do not allocate.
    values.clear();
    values.resize (static_cast<size_t> (count));

    for (int32_t i = 0; i < count; ++i)
    {
        const double x = ClipperTableGrid::point (rangeLow, rangeHigh, count, i);
        values[static_cast<size_t> (i)] = static_cast<float> (solve (x, 0.0));
    }
}
