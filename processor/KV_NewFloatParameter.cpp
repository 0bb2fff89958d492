#include "processor/KV_NewFloatParameter.h"

#include "processor/TheQuillmontAudioProcessor.h"
#include "services/NumberText.h"

#include <cmath>

KV_NewFloatParameter::KV_NewFloatParameter (TheQuillmontAudioProcessor* ownerToUse,
                                            const juce::String& idToUse,
                                            const juce::String& nameToUse,
                                            juce::NormalisableRange<float> rangeToUse,
                                            const juce::String& labelToUse,
                                            float defaultPlainValue)
    : juce::AudioProcessorParameterWithID (juce::ParameterID { idToUse },
                                           nameToUse,
                                           juce::AudioProcessorParameterWithIDAttributes()
                                               .withLabel (labelToUse)
                                               .withCategory (juce::AudioProcessorParameter::genericParameter)),
      range (rangeToUse),
      owner (ownerToUse),
      defaultValue (defaultPlainValue),
      parameterName (nameToUse),
      unitLabel (labelToUse)
{
}

KV_NewFloatParameter::~KV_NewFloatParameter()
{
    stopTimer();
}

float KV_NewFloatParameter::getValue() const
{
    return value.load (std::memory_order_relaxed);
}

void KV_NewFloatParameter::setValue (float newValue)
{
    // Values outside 0..1 are kept as the host sent them; only values that are no number at all
    // are refused, so that nothing downstream ever computes with a NaN or an infinity.
    if (std::isnan (newValue))
        newValue = value.load (std::memory_order_relaxed);
    else if (std::isinf (newValue))
        newValue = newValue > 0.0f ? 1.0f : 0.0f;

    value.store (newValue, std::memory_order_relaxed);

    // Release: the audio thread acquires the flag, so seeing it raised means seeing this value.
    owner->parametersChanged.store (1, std::memory_order_release);
}

float KV_NewFloatParameter::toNormalised (float plainValue) const
{
    if (std::isnan (plainValue))
        plainValue = 0.0f;

    return juce::jlimit (0.0f, 1.0f, range.convertTo0to1 (plainValue));
}

float KV_NewFloatParameter::getDefaultValue() const
{
    return toNormalised (defaultValue);
}

juce::String KV_NewFloatParameter::getName (int /*maximumStringLength*/) const
{
    return parameterName;
}

juce::String KV_NewFloatParameter::getLabel() const
{
    // Hosts get the unit inside the text only.
    return {};
}

juce::String KV_NewFloatParameter::getText (float normalisedValue, int /*maximumStringLength*/) const
{
    if (paramID == "HQ" || paramID == "POWER")
        return normalisedValue == 0.0f ? "Off" : "On";

    if (paramID == "MODS")
        return owner->getCircuitName();

    const auto plain = range.convertFrom0to1 (normalisedValue);
    return juce::String (static_cast<double> (plain), 1) + " " + unitLabel;
}

float KV_NewFloatParameter::getValueForText (const juce::String& text) const
{
    return toNormalised (static_cast<float> (korvanth::textToDouble (text)));
}

bool KV_NewFloatParameter::isMetaParameter() const
{
    return false;
}

void KV_NewFloatParameter::setRealValueNotifyingHost (float plainValue)
{
    const auto normalised = toNormalised (plainValue);
    setValue (normalised);
    sendValueChangedMessageToListeners (normalised);
}

void KV_NewFloatParameter::hiResTimerCallback()
{
    stopTimer();
}
