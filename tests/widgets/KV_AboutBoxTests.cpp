#include "PixelTestSupport.h"
#include "WidgetRig.h"
#include "widgets/KV_NewAboutComponent.h"
#include "widgets/pluginLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
    // The about box over a plain backdrop, inside a window that stands in for the editor.
    struct AboutBoxRig : WidgetRig
    {
        explicit AboutBoxRig (int width = 700, int height = 600)
            : WidgetRig (width, height), lookAndFeel (&root())
        {
            root().setLookAndFeel (&lookAndFeel);
            backdrop.setColour (juce::ResizableWindow::backgroundColourId, juce::Colours::white);
            root().addAndMakeVisible (backdrop);
            root().addChildComponent (overlay);
            setSize (width, height);
        }

        ~AboutBoxRig() { root().setLookAndFeel (nullptr); }

        void setSize (int width, int height)
        {
            root().setSize (width, height);
            backdrop.setBounds (root().getLocalBounds());
            overlay.setBounds (root().getLocalBounds());
        }

        struct Backdrop : juce::Component
        {
            void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::white); }
        };

        pluginLookAndFeel lookAndFeel;
        Backdrop backdrop;
        korvanth::KV_NewAboutComponent overlay;
    };
}

TEST (KV_NewAboutComponent, PanelKeepsItsSizeAndStaysCentredAtEveryEditorSize)
{
    AboutBoxRig rig;
    auto& panel = rig.overlay.aboutGUI;

    for (auto size : { juce::Point<int> (466, 400), juce::Point<int> (700, 600), juce::Point<int> (1050, 900) })
    {
        rig.setSize (size.x, size.y);
        EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (size.x / 2 - 285 / 2, size.y / 2 - 340 / 2, 285, 340)) << size.toString();
    }

    EXPECT_EQ (panel.titleLabel.getBounds(), juce::Rectangle<int> (0, 50, 285, 15));
    EXPECT_EQ (panel.versionLabel.getBounds(), juce::Rectangle<int> (0, 68, 285, 25));
    EXPECT_EQ (panel.contentBox.getBounds(), juce::Rectangle<int> (3, 118, 282, 160));
    EXPECT_EQ (panel.footerLabel.getBounds(), juce::Rectangle<int> (0, 320, 285, 15));
    EXPECT_EQ (panel.closeButton.getBounds(), juce::Rectangle<int> (260, 0, 24, 24));

    EXPECT_EQ (panel.titleLabel.getText(), "The Quillmont");
    EXPECT_EQ (panel.versionLabel.getText(), "v1.0.1\r\n(b0008.30cd46a)");
    EXPECT_TRUE (panel.contentBox.getText().startsWith ("Analog modeled british distortion pedal."));
    EXPECT_TRUE (panel.contentBox.getText().contains ("example.com"));
}

TEST (KV_NewAboutComponent, CloseButtonHidesTheOverlayAndItShowsAgainUnchanged)
{
    AboutBoxRig rig;
    auto& panel = rig.overlay.aboutGUI;
    rig.overlay.setVisible (true);
    const auto boundsBefore = panel.getBounds();
    const auto textBefore = panel.contentBox.getText();

    rig.click (rig.centreOf (panel.closeButton));
    EXPECT_FALSE (rig.overlay.isVisible());

    rig.overlay.setVisible (true);
    EXPECT_TRUE (panel.isVisible());
    EXPECT_EQ (panel.getBounds(), boundsBefore);
    EXPECT_EQ (panel.contentBox.getText(), textBefore);
}

TEST (KV_NewAboutComponent, ScreenshotShowsTheDimmedEditorThePanelAndTheLogo)
{
    AboutBoxRig rig;
    rig.overlay.setVisible (true);
    const auto shot = rig.root().createComponentSnapshot (rig.root().getLocalBounds());

    saveForReview (shot, "about-box");

    // Outside the panel the white editor shows through black at 0x33.
    const auto dimmed = juce::Colours::white.overlaidWith (juce::Colour (0x33000000));
    const auto corner = shot.getPixelAt (5, 5);
    EXPECT_NEAR (corner.getRed(), dimmed.getRed(), 1);
    EXPECT_EQ (corner.getRed(), corner.getBlue());

    // The panel's own fill, away from its children.
    const auto panel = rig.overlay.aboutGUI.getBounds();
    EXPECT_PIXEL (shot, panel.getX() + 5, panel.getY() + 45, juce::Colour (0xff393a3c));

    // The 165 x 32 logo sits centred at the top, drawn in the light accent colour.
    const juce::Rectangle<int> logo (panel.getX() + (285 / 2 - 165 / 2), panel.getY() + 10, 165, 32);
    int light = 0;
    for (int y = logo.getY(); y < logo.getBottom(); ++y)
        for (int x = logo.getX(); x < logo.getRight(); ++x)
            if (shot.getPixelAt (x, y).getBrightness() > 0.8f)
                ++light;

    EXPECT_GT (light, 165 * 32 / 5);
    EXPECT_LT (shot.getPixelAt (logo.getX() - 2, logo.getCentreY()).getBrightness(), 0.3f);
    EXPECT_LT (shot.getPixelAt (logo.getRight() + 2, logo.getCentreY()).getBrightness(), 0.3f);
}
