#pragma once

#include "editor/TheQuillmontAudioProcessorEditor.h"
#include "support/SettingsSandbox.h"

#include <deque>
#include <functional>
#include <memory>

namespace editortests
{
    using P = QuillmontParameters::Index;

    /** Answers the window's questions without a person. Answers are taken from the queues in
        order; with holdAnswers set, every question waits until answerPending() is called. */
    struct ScriptedDialogs final : EditorDialogs
    {
        struct Log
        {
            juce::StringArray questions, messages, choosers;
        };

        explicit ScriptedDialogs (std::shared_ptr<Log> l) : log (std::move (l)) {}

        void askOkCancel (const juce::String& title, const juce::String& message, juce::Component*,
                          std::function<void (bool)> onAnswer) override
        {
            log->questions.add (title + ": " + message);
            const auto answer = okAnswers.empty() ? false : okAnswers.front();
            if (! okAnswers.empty())
                okAnswers.pop_front();
            pending.push_back ([onAnswer, answer] { onAnswer (answer); });
            if (! holdAnswers)
                answerPending();
        }

        void chooseFileToSave (const juce::String& title, const juce::File&, const juce::String&,
                               std::function<void (const juce::File&)> onChosen) override
        {
            log->choosers.add (title);
            const auto file = files.empty() ? juce::File() : files.front();
            if (! files.empty())
                files.pop_front();
            pending.push_back ([onChosen, file] { onChosen (file); });
            if (! holdAnswers)
                answerPending();
        }

        void tell (const juce::String& title, const juce::String& message, juce::Component*) override
        {
            log->messages.add (title + ": " + message);
        }

        void answerPending()
        {
            while (! pending.empty())
            {
                auto next = std::move (pending.front());
                pending.pop_front();
                next();
            }
        }

        std::shared_ptr<Log> log;
        std::deque<bool> okAnswers;
        std::deque<juce::File> files;
        std::deque<std::function<void()>> pending;
        bool holdAnswers = false;
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
            auto scripted = std::make_unique<ScriptedDialogs> (log);
            dialogs = scripted.get();
            editor->dialogs = std::move (scripted);
            return *editor;
        }

        void closeEditor()
        {
            dialogs = nullptr;
            editor.reset();
        }

        float gain() { return processor().parameter (P::gain).getValue(); }

        SettingsSandbox sandbox;
        std::unique_ptr<TheQuillmontAudioProcessor> audioProcessor;
        std::unique_ptr<TheQuillmontAudioProcessorEditor> editor;
        std::shared_ptr<ScriptedDialogs::Log> log = std::make_shared<ScriptedDialogs::Log>();
        ScriptedDialogs* dialogs = nullptr;
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
