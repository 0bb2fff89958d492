#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** A real window on the (virtual) display holding the widgets under test. Mouse and key events
    enter through the window's peer, the way the platform layer delivers them, so the framework
    itself works out enter, exit, down, drag and up, and routes keys to the focused component.
*/
class WidgetRig
{
public:
    explicit WidgetRig (int width = 300, int height = 200)
    {
        window.setBounds (100, 100, width, height);
        window.addToDesktop (0);
        window.setVisible (true);

        // A menu closes itself when no window of the process has the keyboard focus (the user
        // went to another application). A user's click would have focused this window; without
        // a window manager nobody does, and a slow machine would see menus vanish.
        pumpUntil ([this]
        {
            window.toFront (true);
            return peer().isFocused() && juce::Process::isForegroundProcess();
        });
    }

    ~WidgetRig()
    {
        juce::PopupMenu::dismissAllActiveMenus();
        pumpUntil ([] { return juce::ModalComponentManager::getInstance()->getNumModalComponents() == 0; });
        window.removeFromDesktop();
    }

    juce::Component& root() { return window; }
    juce::ComponentPeer& peer() { return *window.getPeer(); }

    /** Moves the mouse (holding the given buttons and keys) to a point in the window. */
    void moveTo (juce::Point<int> p, juce::ModifierKeys mods = {})
    {
        send (p, mods);
    }

    void press (juce::Point<int> p, juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier)
    {
        send (p, mods.withoutMouseButtons());
        send (p, mods);
    }

    void release (juce::Point<int> p, juce::ModifierKeys keys = {})
    {
        send (p, keys.withoutMouseButtons());
    }

    void click (juce::Point<int> p, juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier)
    {
        press (p, mods);
        release (p, mods);
    }

    void doubleClick (juce::Point<int> p)
    {
        const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
        for (int i = 0; i < 2; ++i)
        {
            send (p, left, 20);
            send (p, {}, 20);
        }
    }

    /** The centre of a child, in window coordinates. */
    juce::Point<int> centreOf (const juce::Component& c) const
    {
        return window.getLocalPoint (&c, c.getLocalBounds().getCentre());
    }

    /** A point well outside every widget, for leaving them. */
    juce::Point<int> outside() const { return { window.getWidth() - 1, window.getHeight() - 1 }; }

    bool key (const juce::KeyPress& k) { return peer().handleKeyPress (k); }

    /** Runs the message loop until the condition holds, for at most about two seconds; menu
        results and asynchronous notifications arrive this way.
    */
    static bool pumpUntil (const std::function<bool()>& condition)
    {
        for (int i = 0; i < 200; ++i)
        {
            if (condition())
                return true;
            juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
        }
        return condition();
    }

    /** A short turn of the message loop, for callbacks that should not arrive. */
    static void settle()
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    }

    /** The popup menu now open, if any. */
    static juce::Component* openMenu()
    {
        auto& modal = *juce::ModalComponentManager::getInstance();
        return modal.getNumModalComponents() > 0 ? modal.getModalComponent (0) : nullptr;
    }

    /** Picks the n-th item (from 1) of the open menu with the keyboard, as a user would. */
    bool chooseMenuItem (int n)
    {
        if (openMenu() == nullptr)
            return false;
        for (int i = 0; i < n; ++i)
            key (juce::KeyPress (juce::KeyPress::downKey));
        key (juce::KeyPress (juce::KeyPress::returnKey));
        return pumpUntil ([] { return openMenu() == nullptr; });
    }

private:
    // Events 300 ms apart never make a double click.
    void send (juce::Point<int> p, juce::ModifierKeys mods, int millisecondsLater = 300)
    {
        juce::ModifierKeys::currentModifiers = mods;
        time += millisecondsLater;
        peer().handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, p.toFloat(), mods,
                                 juce::MouseInputSource::defaultPressure,
                                 juce::MouseInputSource::defaultOrientation, time);
    }

    juce::Component window;
    juce::int64 time = juce::Time::currentTimeMillis();
};
