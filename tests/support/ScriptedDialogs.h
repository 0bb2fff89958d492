#pragma once

#include "services/KV_Dialogs.h"

#include <deque>

/** Answers the plug-in's message boxes, questions and file choosers in place of a person while
    it lives: it notes every message, answers questions and choosers from the queues the test
    fills (OK, and Cancel, when they run dry) and notes what each chooser asked for. */
struct ScriptedDialogs : korvanth::KV_Dialogs::Answerer
{
    struct Message
    {
        juce::String title, text;
    };

    struct ChooserRequest
    {
        juce::String title;
        juce::File start;
        juce::String patterns;
        int flags = 0;
    };

    ScriptedDialogs()  { korvanth::KV_Dialogs::setAnswerer (this); }
    ~ScriptedDialogs() override { korvanth::KV_Dialogs::setAnswerer (nullptr); }

    void messageShown (const juce::String& title, const juce::String& text) override
    {
        messages.push_back ({ title, text });
    }

    bool answerOkCancel (const juce::String& title, const juce::String& text) override
    {
        questions.push_back ({ title, text });
        if (okCancelAnswers.empty())
            return true;
        const auto answer = okCancelAnswers.front();
        okCancelAnswers.pop_front();
        return answer;
    }

    juce::File chooseFile (const juce::String& title, const juce::File& start,
                           const juce::String& patterns, int flags) override
    {
        chooserRequests.push_back ({ title, start, patterns, flags });
        if (chosenFiles.empty())
            return {};
        const auto file = chosenFiles.front();
        chosenFiles.pop_front();
        return file;
    }

    std::deque<bool> okCancelAnswers;
    std::deque<juce::File> chosenFiles;
    std::vector<Message> messages, questions;
    std::vector<ChooserRequest> chooserRequests;

    JUCE_DECLARE_NON_COPYABLE (ScriptedDialogs)
};
