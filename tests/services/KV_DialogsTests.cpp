#include "services/KV_Dialogs.h"

#include <gtest/gtest.h>

namespace
{
    void pump (int milliseconds = 50)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    // The box a call has just opened: the framework's boxes are modal.
    juce::Component* openBox()
    {
        return juce::ModalComponentManager::getInstance()->getModalComponent (0);
    }

    void closeBox (juce::Component& box)
    {
        box.exitModalState (0);
        pump();
    }
}

TEST (KV_Dialogs, BoxesOpenInsideTheDisplayWhenTheirWindowIsAtItsEdge)
{
    const auto userArea = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;

    // Half off the left edge, and in the bottom right corner.
    for (const auto topLeft : { juce::Point<int> (-300, 100), userArea.getBottomRight() - juce::Point<int> (100, 100) })
    {
        juce::Component window;
        window.setBounds ({ topLeft.x, topLeft.y, 700, 600 });
        window.addToDesktop (0);
        window.setVisible (true);
        pump();

        korvanth::KV_Dialogs::showMessage ("The Quillmont", "Please, restart your DAW to apply the new saved settings.", &window);
        auto* box = openBox();
        ASSERT_NE (box, nullptr);
        pump();
        EXPECT_TRUE (userArea.contains (box->getScreenBounds())) << "message at " << box->getScreenBounds().toString();
        closeBox (*box);

        bool answered = false;
        korvanth::KV_Dialogs::askOkCancel ("Delete preset", "Do you want to permanently delete Crunch?", &window,
                                           [&answered] (bool) { answered = true; });
        box = openBox();
        ASSERT_NE (box, nullptr);
        pump();
        EXPECT_TRUE (userArea.contains (box->getScreenBounds())) << "question at " << box->getScreenBounds().toString();
        closeBox (*box);
        EXPECT_TRUE (answered);

        window.removeFromDesktop();
    }
}
