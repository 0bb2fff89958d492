#include <gtest/gtest.h>

#include "processor/TheQuillmontAudioProcessor.h"

namespace
{
using Layout = juce::AudioProcessor::BusesLayout;

Layout layout (juce::AudioChannelSet in, juce::AudioChannelSet out)
{
    Layout l;
    if (! in.isDisabled())
        l.inputBuses.add (in);
    l.outputBuses.add (out);
    return l;
}

TEST (ProcessorShell, IdentifiesItselfToTheHost)
{
    TheQuillmontAudioProcessor processor;
    EXPECT_EQ (processor.getName(), "The Quillmont");
    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (0), juce::String());
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_FALSE (processor.isMidiEffect());
    EXPECT_TRUE (processor.hasEditor());
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
}

TEST (ProcessorShell, StartsWithStereoBusesNamedInputAndOutput)
{
    TheQuillmontAudioProcessor processor;
    ASSERT_EQ (processor.getBusCount (true), 1);
    ASSERT_EQ (processor.getBusCount (false), 1);
    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor.getMainBusNumInputChannels(), 2);
    EXPECT_EQ (processor.getMainBusNumOutputChannels(), 2);
}

TEST (ProcessorShell, AcceptsOnlyMatchingMonoOrStereoLayouts)
{
    TheQuillmontAudioProcessor processor;
    const auto mono = juce::AudioChannelSet::mono();
    const auto stereo = juce::AudioChannelSet::stereo();
    const auto none = juce::AudioChannelSet::disabled();

    EXPECT_TRUE (processor.checkBusesLayoutSupported (layout (stereo, stereo)));
    EXPECT_TRUE (processor.checkBusesLayoutSupported (layout (mono, mono)));

    EXPECT_FALSE (processor.checkBusesLayoutSupported (layout (mono, stereo)));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layout (stereo, mono)));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layout (none, stereo)));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layout (juce::AudioChannelSet::create5point1(),
                                                               juce::AudioChannelSet::create5point1())));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layout (stereo, none)));
}
} // namespace
