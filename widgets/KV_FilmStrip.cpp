#include "widgets/KV_FilmStrip.h"

namespace korvanth
{
juce::Rectangle<int> KV_FilmStrip::frameSize (const juce::Image& strip, int frameCount, bool horizontal)
{
    if (! strip.isValid() || frameCount <= 0)
        return {};

    if (horizontal)
        return { strip.getWidth() / frameCount, strip.getHeight() };

    return { strip.getWidth(), strip.getHeight() / frameCount };
}

int KV_FilmStrip::frameFor (double proportion, int frameCount)
{
    return (int) (static_cast<float> (proportion) * static_cast<float> (frameCount - 1));
}

void KV_FilmStrip::drawFrame (juce::Graphics& g, const juce::Image& strip, int frame,
                              juce::Rectangle<int> frameBounds, bool horizontal,
                              juce::Rectangle<int> area)
{
    if (! strip.isValid() || frameBounds.isEmpty())
        return;

    const auto w = frameBounds.getWidth();
    const auto h = frameBounds.getHeight();
    const auto sourceX = horizontal ? frame * w : 0;
    const auto sourceY = horizontal ? 0 : frame * h;

    g.drawImage (strip, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                 sourceX, sourceY, w, h);
}
} // namespace korvanth
