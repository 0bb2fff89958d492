#include <gtest/gtest.h>

#include "HostedPlugin.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Last: Xlib's macros clash with names in the headers above.
#include "../support/X11Windows.h"

namespace
{
    void pump (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    // Runs every message queued so far: messages run in the order they were posted.
    void runQueuedMessages()
    {
        bool reached = false;
        juce::MessageManager::callAsync ([&reached] { reached = true; });

        for (int i = 0; i < 500 && ! reached; ++i)
            pump (10);
    }

    // The host's side of the window: the plug-in's view embedded in a window on the display.
    struct HostWindow
    {
        explicit HostWindow (juce::AudioPluginInstance& plugin)
            : editor (plugin.createEditorIfNeeded())
        {
            if (editor == nullptr)
                return;

            window.setBounds (50, 50, editor->getWidth(), editor->getHeight());
            window.addAndMakeVisible (*editor);
            window.addToDesktop (0);
            window.setVisible (true);
            pump (300);
        }

        ~HostWindow()
        {
            // The framework's embedding component answers the plug-in's resizes with callbacks
            // that point at itself, queued on the message thread: they run before it goes, as a
            // DAW's own message loop runs them between a resize and a close.
            pump (100);
            runQueuedMessages();

            if (editor != nullptr)
                window.removeChildComponent (editor.get());
            editor.reset();
            window.removeFromDesktop();
            pump (100);
        }

        juce::Component window;
        std::unique_ptr<juce::AudioProcessorEditor> editor;
    };

    bool onRatio (juce::Rectangle<int> r)
    {
        return std::abs (r.getWidth() * 600 - r.getHeight() * 700) < 700;
    }
}

TEST (HostedEditor, OpensResizesBackOntoItsRatioClosesAndReopensAtTheLastSize)
{
    auto plugin = host::loadPlugin();
    ASSERT_NE (plugin, nullptr);
    host::prepare (*plugin, 44100.0, 512);
    ASSERT_TRUE (plugin->hasEditor());

    juce::Rectangle<int> lastSize;
    {
        HostWindow host (*plugin);
        ASSERT_NE (host.editor, nullptr);
        EXPECT_EQ (host.editor->getWidth(), 700);
        EXPECT_EQ (host.editor->getHeight(), 600);

        // The host drags the window wider without keeping the ratio.
        host.editor->setSize (950, 700);
        pump (300);
        lastSize = host.editor->getLocalBounds();
        EXPECT_TRUE (onRatio (lastSize)) << lastSize.toString();
        EXPECT_EQ (lastSize.getHeight(), 700) << "the largest size on the ratio inside the host's";
    }

    HostWindow reopened (*plugin);
    ASSERT_NE (reopened.editor, nullptr);
    EXPECT_EQ (reopened.editor->getLocalBounds(), lastSize);
}

TEST (HostedEditor, AHostGetsTheSizesThePlugInOffersExactlyAndNeverMoreThanItAsks)
{
    auto plugin = host::loadPlugin();
    ASSERT_NE (plugin, nullptr);
    host::prepare (*plugin, 44100.0, 512);

    HostWindow host (*plugin);
    ASSERT_NE (host.editor, nullptr);
    EXPECT_EQ (host.editor->getBounds().getWidth(), 700) << "a first window with nothing saved";
    EXPECT_EQ (host.editor->getBounds().getHeight(), 600) << "a first window with nothing saved";

    // The logo menu's three sizes and two within a pixel of the ratio, asked for the way a host
    // sizes its window: the framework checks each request with the plug-in, then hands it over.
    for (auto asked : { juce::Rectangle<int> (466, 400), { 700, 600 }, { 1050, 900 }, { 467, 400 }, { 701, 600 } })
    {
        host.editor->setSize (asked.getWidth(), asked.getHeight());
        pump (200);
        EXPECT_EQ (host.editor->getLocalBounds(), asked) << "asked " << asked.toString();
    }

    // Off the ratio: an answer on it, inside what was asked.
    for (auto asked : { juce::Rectangle<int> (1000, 900), { 1050, 800 }, { 800, 716 }, { 555, 555 } })
    {
        host.editor->setSize (asked.getWidth(), asked.getHeight());
        pump (200);
        const auto got = host.editor->getLocalBounds();
        EXPECT_TRUE (onRatio (got)) << "asked " << asked.toString() << ", got " << got.toString();
        EXPECT_LE (got.getWidth(), asked.getWidth()) << "asked " << asked.toString() << ", got " << got.toString();
        EXPECT_LE (got.getHeight(), asked.getHeight()) << "asked " << asked.toString() << ", got " << got.toString();
    }
}

TEST (HostedEditor, OpensNoWindowBesideTheHostsOwn)
{
    auto plugin = host::loadPlugin();
    ASSERT_NE (plugin, nullptr);
    host::prepare (*plugin, 44100.0, 512);

    HostWindow host (*plugin);
    ASSERT_NE (host.editor, nullptr);
    const auto hostWindow = reinterpret_cast<std::uintptr_t> (host.window.getPeer()->getNativeHandle());
    EXPECT_EQ (viewableWindowsOfThisProcess(), std::vector<std::uintptr_t> { hostWindow });
}
