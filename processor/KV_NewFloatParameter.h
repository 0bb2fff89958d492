#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

class TheQuillmontAudioProcessor;

// The plug-in's one parameter type: a float kept normalised to 0..1 that shows its unit inside
// its text and raises the owner's parametersChanged flag on every set, so the audio thread
// re-reads all parameters at its next block.
class KV_NewFloatParameter : public juce::AudioProcessorParameterWithID,
                             private juce::HighResolutionTimer
{
public:
    KV_NewFloatParameter (TheQuillmontAudioProcessor* owner,
                          const juce::String& paramID,
                          const juce::String& name,
                          juce::NormalisableRange<float> range,
                          const juce::String& label,
                          float defaultValue);

    ~KV_NewFloatParameter() override;

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    juce::String getName (int maximumStringLength) const override;
    juce::String getLabel() const override;
    juce::String getText (float normalisedValue, int maximumStringLength) const override;
    float getValueForText (const juce::String& text) const override;
    bool isMetaParameter() const override;

    // Sets a plain (range-unit) value and tells the host and the editor, without a change gesture.
    void setRealValueNotifyingHost (float plainValue);

    const juce::NormalisableRange<float> range;
    TheQuillmontAudioProcessor* const owner;
    const float defaultValue;

private:
    void hiResTimerCallback() override;

    float toNormalised (float plainValue) const;

    // Written from any thread (host automation, editor, state loads) and read by the audio thread.
    std::atomic<float> value { 0.0f };
    const juce::String parameterName;
    const juce::String unitLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KV_NewFloatParameter)
};
