#include <gtest/gtest.h>

#include "processor/TheQuillmontAudioProcessor.h"

#include <cmath>
#include <limits>

namespace
{
using P = QuillmontParameters::Index;

struct ParameterTests : ::testing::Test
{
    TheQuillmontAudioProcessor processor;

    KV_NewFloatParameter& param (P index) { return processor.parameter (index); }
};

TEST_F (ParameterTests, HostSeesTwelveParametersInOrderAtTheirDefaults)
{
    const juce::StringArray ids { "POWER", "GAIN", "BASS", "MID", "TREB", "VOL",
                                  "IGAIN", "OGAIN", "MIX", "HQ", "GATE", "MODS" };
    const juce::StringArray names { "Power", "Gain", "Bass", "Mid", "Treble", "Level",
                                    "Input Gain", "Output Gain", "Mix", "HQ", "Noise Gate", "Circuit Type" };
    const float defaults[] = { 1.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 1.0f, 0.0f, 0.0f, 0.0f };

    const auto& params = processor.getParameters();
    ASSERT_EQ (params.size(), 12);

    for (int i = 0; i < 12; ++i)
    {
        auto* p = dynamic_cast<KV_NewFloatParameter*> (params[i]);
        ASSERT_NE (p, nullptr);
        EXPECT_EQ (p->getParameterIndex(), i);
        EXPECT_EQ (p->paramID, ids[i]);
        EXPECT_EQ (p->getName (100), names[i]);
        EXPECT_FLOAT_EQ (p->getValue(), defaults[i]) << ids[i];
        EXPECT_FLOAT_EQ (p->getDefaultValue(), defaults[i]) << ids[i];
        EXPECT_EQ (p->getLabel(), juce::String()) << "hosts get the unit inside the text only";
        EXPECT_FALSE (p->isDiscrete());
        EXPECT_FALSE (p->isBoolean());
        EXPECT_TRUE (p->isAutomatable());
        EXPECT_FALSE (p->isMetaParameter());
    }

    EXPECT_EQ (processor.parametersChanged.load(), 1);
}

TEST_F (ParameterTests, TextsAtTheDefaultsCarryTheirUnits)
{
    auto text = [this] (P index) { return param (index).getCurrentValueAsText(); };

    EXPECT_EQ (text (P::power), "On");
    EXPECT_EQ (text (P::gain), "50.0 %");
    EXPECT_EQ (text (P::level), "50.0 %");
    EXPECT_EQ (text (P::inputGain), "0.0 dB");
    EXPECT_EQ (text (P::outputGain), "0.0 dB");
    EXPECT_EQ (text (P::mix), "100.0 %");
    EXPECT_EQ (text (P::hq), "Off");
    EXPECT_EQ (text (P::gate), "0.0 %");
    EXPECT_EQ (text (P::circuitType), processor.getCircuitName());
}

TEST_F (ParameterTests, SwitchesAreOnForAnyValueButExactlyZero)
{
    for (auto index : { P::power, P::hq })
    {
        EXPECT_EQ (param (index).getText (0.0f, 10), "Off");
        EXPECT_EQ (param (index).getText (0.0001f, 10), "On");
        EXPECT_EQ (param (index).getText (0.5f, 10), "On");
        EXPECT_EQ (param (index).getText (-0.25f, 10), "On");
    }
}

TEST_F (ParameterTests, CircuitTypeShowsTheAppliedCircuitWhateverTheValue)
{
    processor.circuitName = "MGV";
    for (auto v : { 0.0f, 0.3f, 1.0f })
        EXPECT_EQ (param (P::circuitType).getText (v, 20), "MGV");
}

TEST_F (ParameterTests, TextIsReadAsItsLeadingNumber)
{
    auto& gain = param (P::gain);
    EXPECT_FLOAT_EQ (gain.getValueForText ("75 %"), 0.75f);
    EXPECT_FLOAT_EQ (gain.getValueForText ("  25.5%"), 0.255f);
    EXPECT_FLOAT_EQ (gain.getValueForText ("loud"), 0.0f);
    EXPECT_FLOAT_EQ (gain.getValueForText ("150"), 1.0f);
    EXPECT_FLOAT_EQ (gain.getValueForText ("-3"), 0.0f);
    EXPECT_FLOAT_EQ (gain.getValueForText ("2e99999999999"), 1.0f);

    auto& inputGain = param (P::inputGain);
    EXPECT_FLOAT_EQ (inputGain.getValueForText ("-30"), 0.0f);
    EXPECT_FLOAT_EQ (inputGain.getValueForText ("no digits"), 0.5f);
    EXPECT_FLOAT_EQ (inputGain.getValueForText ("12 dB"), 0.75f);

    EXPECT_FLOAT_EQ (param (P::power).getValueForText ("On"), 0.0f);
    EXPECT_FLOAT_EQ (param (P::circuitType).getValueForText ("Plexy"), 0.0f);
}

TEST_F (ParameterTests, AnyTextGivesAValueInsideTheUnitRange)
{
    const juce::StringArray texts { "1e39", "-1e39", "1e400", "nan", "inf", "-inf", "", "%%%", "0x10",
                                    "99999999999999999999999999999999999999999",
                                    "1e99999999999", "-1e-99999999999" };
    for (auto* p : processor.PluginParameterSet)
        for (auto& t : texts)
        {
            const auto v = p->getValueForText (t);
            EXPECT_GE (v, 0.0f) << p->paramID << " '" << t << "'";
            EXPECT_LE (v, 1.0f) << p->paramID << " '" << t << "'";
        }
}

TEST_F (ParameterTests, OutOfRangeValuesAreStoredAsSentButShownClamped)
{
    auto& gain = param (P::gain);
    gain.setValue (1.5f);
    EXPECT_FLOAT_EQ (gain.getValue(), 1.5f);
    EXPECT_EQ (gain.getText (1.5f, 10), "100.0 %");
    EXPECT_EQ (gain.getText (-2.0f, 10), "0.0 %");
}

TEST_F (ParameterTests, NonFiniteHostValuesNeverReachTheParameter)
{
    auto& gain = param (P::gain);
    gain.setValue (0.25f);

    gain.setValue (std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ (gain.getValue(), 0.25f);

    gain.setValue (std::numeric_limits<float>::infinity());
    EXPECT_FLOAT_EQ (gain.getValue(), 1.0f);

    gain.setValue (-std::numeric_limits<float>::infinity());
    EXPECT_FLOAT_EQ (gain.getValue(), 0.0f);

    for (auto* p : processor.PluginParameterSet)
    {
        p->setValue (std::numeric_limits<float>::quiet_NaN());
        EXPECT_TRUE (std::isfinite (p->getValue())) << p->paramID;
    }
}

TEST_F (ParameterTests, EverySetRaisesTheChangedFlag)
{
    processor.parametersChanged = 0;
    param (P::bass).setValue (param (P::bass).getValue());
    EXPECT_EQ (processor.parametersChanged.load(), 1);
}

struct CountingListener : juce::AudioProcessorParameter::Listener
{
    int changes = 0;
    float lastValue = -1.0f;
    int gestures = 0;

    void parameterValueChanged (int, float newValue) override
    {
        ++changes;
        lastValue = newValue;
    }

    void parameterGestureChanged (int, bool) override { ++gestures; }
};

TEST_F (ParameterTests, SettingAPlainValueNotifiesListenersOnceWithoutAGesture)
{
    CountingListener listener;
    auto& circuit = param (P::circuitType);
    circuit.addListener (&listener);

    processor.parametersChanged = 0;
    circuit.setRealValueNotifyingHost (2.0f);

    EXPECT_FLOAT_EQ (circuit.getValue(), 2.0f / 23.0f);
    EXPECT_EQ (listener.changes, 1);
    EXPECT_FLOAT_EQ (listener.lastValue, 2.0f / 23.0f);
    EXPECT_EQ (listener.gestures, 0);
    EXPECT_EQ (processor.parametersChanged.load(), 1);

    circuit.setRealValueNotifyingHost (99.0f);
    EXPECT_FLOAT_EQ (circuit.getValue(), 1.0f);

    circuit.removeListener (&listener);
}

TEST_F (ParameterTests, NamesAreNeverShortened)
{
    EXPECT_EQ (param (P::outputGain).getName (3), "Output Gain");
}
} // namespace
