#pragma once

#include "editor/TheQuillmontAudioProcessorEditor.h"
#include "services/KV_Dialogs.h"
#include "support/SettingsSandbox.h"

#include <deque>
#include <functional>
#include <memory>

namespace editortests
{
    using P = QuillmontParameters::Index;

    /** Answers the window's questions without a person, from the queues in order (Cancel and
        no file when a queue is empty), and keeps a log of what was asked. */
    struct ScriptedDialogs final : korvanth::KV_Dialogs::Answerer
    {
        ScriptedDialogs() { korvanth::KV_Dialogs::setAnswerer (this); }
        ~ScriptedDialogs() override { korvanth::KV_Dialogs::setAnswerer (nullptr); }

        void messageShown (const juce::String& title, const juce::String& message) override
        {
            messages.add (title + ": " + message);
        }

        bool answerOkCancel (const juce::String& title, const juce::String& message) override
        {
            questions.add (title + ": " + message);
            const auto answer = ! okAnswers.empty() && okAnswers.front();
            if (! okAnswers.empty())
                okAnswers.pop_front();
            return answer;
        }

        juce::File chooseFile (const juce::String& title, const juce::File& start, const juce::String&, int) override
        {
            choosers.add (title);
            chooserStarts.add (start);
            const auto file = files.empty() ? juce::File() : files.front();
            if (! files.empty())
                files.pop_front();
            return file;
        }

        juce::StringArray questions, messages, choosers;
        juce::Array<juce::File> chooserStarts;
        std::deque<bool> okAnswers;
        std::deque<juce::File> files;

        JUCE_DECLARE_NON_COPYABLE (ScriptedDialogs)
    };

    /** Pumps the message loop so asynchronous notifications and clicks arrive. */
    inline void pump (int milliseconds = 30)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    /** A processor in a sandbox of its own, with its window and scripted dialogs. */
    struct EditorRig
    {
        EditorRig()
        {
            sandbox.createInstalledFolders();
        }

        ~EditorRig()
        {
            closeEditor();
        }

        juce::File presets() const { return sandbox.presetsFolder(); }

        /** A preset file whose GAIN is the given normalised value. */
        juce::File writePreset (const juce::String& relativePath, float gain)
        {
            auto file = presets().getChildFile (relativePath);
            file.getParentDirectory().createDirectory();
            juce::XmlElement xml ("TheQuillmont_Preset");
            xml.setAttribute ("presetName", file.getFileNameWithoutExtension());
            xml.setAttribute ("Gain", (double) gain);
            xml.setAttribute ("CircuitType", 0);
            xml.writeTo (file);
            return file;
        }

        TheQuillmontAudioProcessor& processor()
        {
            if (audioProcessor == nullptr)
                audioProcessor = std::make_unique<TheQuillmontAudioProcessor>();
            return *audioProcessor;
        }

        TheQuillmontAudioProcessorEditor& openEditor()
        {
            closeEditor();
            editor = std::make_unique<TheQuillmontAudioProcessorEditor> (processor());
            return *editor;
        }

        void closeEditor()
        {
            editor.reset();
        }

        float gain() { return processor().parameter (P::gain).getValue(); }

        SettingsSandbox sandbox;
        std::unique_ptr<TheQuillmontAudioProcessor> audioProcessor;
        std::unique_ptr<TheQuillmontAudioProcessorEditor> editor;
        std::unique_ptr<ScriptedDialogs> dialogs = std::make_unique<ScriptedDialogs>();
    };

    /** The first child with this component name. */
    inline juce::Component* child (juce::Component& parent, const juce::String& name)
    {
        for (auto* c : parent.getChildren())
            if (c->getName() == name)
                return c;
        return nullptr;
    }

    /** Counts the paints of a whole window: it lies over every control and is painted whenever
        any part of the window below it is. */
    struct PaintCounter : juce::Component
    {
        PaintCounter() { setInterceptsMouseClicks (false, false); }
        void paint (juce::Graphics&) override { ++paints; }
        int paints = 0;
    };
}
