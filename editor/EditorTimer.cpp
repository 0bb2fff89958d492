// The 50 ms refresh: the only way the processor's state reaches the controls. Every write here
// is without notification and changes nothing when the value already stands, so a quiet tick
// repaints nothing.

#include "editor/TheQuillmontAudioProcessorEditor.h"

namespace
{
    using P = QuillmontParameters::Index;

    template <typename Widget>
    void clearLocks (const juce::Array<Widget*>& widgets)
    {
        for (auto* w : widgets)
            w->parameterLocked = w->unlockAllRequested = false;
    }
}

void TheQuillmontAudioProcessorEditor::timerCallback()
{
    syncLocks();
    syncNews();
    pluginVersion.setText (juce::String ("v") + JucePlugin_VersionString, juce::dontSendNotification);
    powerLamp->setValue (audioProcessor.parameter (P::power).getValue(), juce::dontSendNotification);
    showCircuit();
    showValues();
    followDisplay();
}

void TheQuillmontAudioProcessorEditor::syncLocks()
{
    auto unlockAll = [this]
    {
        clearLocks (editModeKnobs);
        clearLocks (editModeButtons);
    };

    for (int i = editModeKnobs.size(); --i >= 0;)
    {
        auto* knob = editModeKnobs.getUnchecked (i);
        if (knob->unlockAllRequested)
            unlockAll();
        audioProcessor.setParameterLocked (knob->parameterIndex, knob->parameterLocked);
    }

    for (int i = editModeButtons.size(); --i >= 0;)
    {
        auto* button = editModeButtons.getUnchecked (i);
        if (button->unlockAllRequested)
            unlockAll();
        // The foot switch carries POWER's lock.
        audioProcessor.setParameterLocked (P::power, button->parameterLocked);
    }
}

void TheQuillmontAudioProcessorEditor::syncNews()
{
    auto& news = audioProcessor.newsProcessor;

    if (news.newsReady && ! newsTaken)
    {
        newsBell->newsItems = news.newsItems;
        showUnreadCount (news.unreadNewsCount);
        newsTaken = true;
        newsBell->cachedNews = news.cachedNews;
    }

    // Only news that was handed over is marked read: a menu opened before the hand-over
    // showed none of it.
    if (newsBell->menuOpened && newsTaken && ! newsMarkedRead)
    {
        if (news.hasUnreadNews)
            news.markAllNewsRead();

        showUnreadCount (news.unreadNewsCount);
        newsMarkedRead = true;
        newsBell->cachedNews = news.cachedNews;
        repaint();
    }
}

void TheQuillmontAudioProcessorEditor::showUnreadCount (int count)
{
    // Like every other write of the tick: an unchanged count repaints nothing.
    if (newsBell->badge.unreadCount == count)
        return;

    newsBell->badge.unreadCount = count;
    newsBell->badge.repaint();
    newsBell->repaint();
}

void TheQuillmontAudioProcessorEditor::showCircuit()
{
    // The menu follows the parameter itself: while the host bypasses the plug-in the audio
    // thread applies nothing and would leave the menu on the old circuit.
    audioProcessor.circuitChanged.store (0);
    auto& mods = audioProcessor.parameter (P::circuitType);
    const auto circuit = juce::roundToInt (mods.range.convertFrom0to1 (juce::jlimit (0.0f, 1.0f, mods.getValue())));
    circuitMenu.setSelectedId (circuit + 1, juce::dontSendNotification);
}

void TheQuillmontAudioProcessorEditor::showValues()
{
    auto value = [this] (P index) { return (double) audioProcessor.parameter (index).getValue(); };

    gainSlider->setValue (value (P::gain), juce::dontSendNotification);
    bassSlider->setValue (value (P::bass), juce::dontSendNotification);
    midSlider->setValue (value (P::mid), juce::dontSendNotification);
    trebleSlider->setValue (value (P::treble), juce::dontSendNotification);
    volumeSlider->setValue (value (P::level), juce::dontSendNotification);
    gateKnob->setValue (value (P::gate), juce::dontSendNotification);
    inputKnob->setValue (value (P::inputGain), juce::dontSendNotification);
    outputKnob->setValue (value (P::outputGain), juce::dontSendNotification);
    mixKnob->setValue (value (P::mix), juce::dontSendNotification);

    // The processor runs HQ for any value but 0, so the button shows it that way.
    hqButton->setToggleState (value (P::hq) != 0.0, juce::dontSendNotification);

    struct Caption
    {
        KV_ResizableLabel& label;
        korvanth::KV_ColorKnob& knob;
        P parameter;
        const char* word;
    };
    const Caption captions[] = {
        { knobCaptions[3], *gateKnob,   P::gate,       "GATE" },
        { knobCaptions[0], *inputKnob,  P::inputGain,  "IN" },
        { knobCaptions[1], *outputKnob, P::outputGain, "OUT" },
        { knobCaptions[2], *mixKnob,    P::mix,        "MIX" },
    };

    for (const auto& c : captions)
    {
        auto& parameter = audioProcessor.parameter (c.parameter);
        c.label.setText (c.knob.showValueText ? parameter.getText (parameter.getValue(), 2) : juce::String (c.word),
                         juce::dontSendNotification);
    }
}
