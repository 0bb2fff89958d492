#include "editor/EditorRig.h"
#include "editor/ShownEditor.h"

#include <gtest/gtest.h>

using namespace editortests;

namespace
{
    bool menuOpens()
    {
        const auto opened = WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() != nullptr; });
        juce::PopupMenu::dismissAllActiveMenus();
        WidgetRig::pumpUntil ([] { return WidgetRig::openMenu() == nullptr; });
        return opened;
    }
}

TEST (EditorWindowInput, TheVersionTextLetsClicksThroughToThePresetBarBelowIt)
{
    EditorRig rig;
    rig.writePreset ("00 - INIT.kvp", 0.1f);
    rig.writePreset ("B.kvp", 0.2f);
    auto& editor = rig.openEditor();
    editor.setSize (1050, 900);
    ShownEditor shown (editor);
    pump();
    ASSERT_EQ (editor.presetMenu.getText(), "00 - INIT");

    // 30 px below the box's top: its lower third, where the version text overlaps the bar.
    const auto y = editor.presetMenu.getY() + 30;
    const juce::Point<int> inBox { editor.presetMenu.getBounds().getCentreX(), y };
    const juce::Point<int> prevRightEdge { editor.prevButton->getRight() - 1, y };
    const juce::Point<int> nextLeftEdge { editor.nextButton->getX(), y };
    for (auto p : { inBox, prevRightEdge, nextLeftEdge })
        ASSERT_TRUE (editor.pluginVersion.getBounds().contains (p)) << p.toString();
    ASSERT_TRUE (editor.presetMenu.getBounds().contains (inBox));

    shown.window.click (inBox);
    EXPECT_TRUE (menuOpens());

    shown.window.click (prevRightEdge);
    EXPECT_EQ (editor.presetMenu.getText(), "B");
    shown.window.click (nextLeftEdge);
    EXPECT_EQ (editor.presetMenu.getText(), "00 - INIT");

    EXPECT_TRUE (editor.pluginVersion.isVisible());
}
