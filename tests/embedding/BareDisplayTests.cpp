#include <gtest/gtest.h>

#include <string>
#include <vector>

// Last: Xlib's macros clash with names in the headers above.
#include "EmbeddingHost.h"

std::string& modulePath();

namespace
{
    ::testing::AssertionResult embedsOneWindowOfSize (const EmbeddingHost& host, const Steinberg::ViewRect& size)
    {
        const auto embedded = host.getEmbeddedWindowSizes();
        if (embedded.size() != 1)
            return ::testing::AssertionFailure() << embedded.size() << " windows inside the host window";
        if (embedded[0].getWidth() != size.getWidth() || embedded[0].getHeight() != size.getHeight())
            return ::testing::AssertionFailure() << "embedded window is " << embedded[0].getWidth() << " x " << embedded[0].getHeight()
                                                 << ", the view " << size.getWidth() << " x " << size.getHeight();
        return ::testing::AssertionSuccess();
    }

    // Opening, resizing and closing the window twice, the way a user in a host does.
    void openResizeAndCloseTwice (::Display* display)
    {
        EmbeddingHost host (modulePath(), display);
        ASSERT_TRUE (host.isLoaded()) << host.getError();

        ASSERT_TRUE (host.openEditor());
        host.pump (std::chrono::milliseconds (300));
        const auto opened = host.getEditorSize();
        EXPECT_TRUE (embedsOneWindowOfSize (host, opened));
        EXPECT_EQ (EmbeddingHost::getViewableTopLevelWindows (display), std::vector<::Window> { host.getHostWindow() })
            << "the plug-in showed a window of its own beside the host's";

        const auto settled = host.resizeEditor (1050, 900);
        host.pump (std::chrono::milliseconds (300));
        EXPECT_GT (settled.getWidth(), opened.getWidth());
        EXPECT_TRUE (embedsOneWindowOfSize (host, settled));
        host.closeEditor();

        ASSERT_TRUE (host.openEditor());
        host.pump (std::chrono::milliseconds (300));
        EXPECT_TRUE (embedsOneWindowOfSize (host, host.getEditorSize()));
        host.closeEditor();
    }

    bool atomExists (::Display* display, const char* name)
    {
        return XInternAtom (display, name, True) != None;
    }
}

// Plug-ins are commonly validated on CI machines under a bare virtual display, and most hosts
// keep Xlib's default error handler, which ends the process on any X error. Each case needs a
// server of its own.
TEST (BareDisplay, EditorOpensResizesAndClosesWithoutAWindowManager)
{
    auto* display = XOpenDisplay (nullptr);
    ASSERT_NE (display, nullptr);
    ASSERT_FALSE (atomExists (display, "WM_PROTOCOLS"))
        << "something on this X server made the window-manager atoms; the case needs a bare display";

    openResizeAndCloseTwice (display);
    XCloseDisplay (display);
}

// A host that sets the protocols of its own windows makes WM_PROTOCOLS and WM_DELETE_WINDOW,
// but only a window manager makes WM_STATE.
TEST (BareDisplay, EditorOpensWhenTheHostMadeOnlyItsOwnProtocolAtoms)
{
    auto* display = XOpenDisplay (nullptr);
    ASSERT_NE (display, nullptr);
    XInternAtom (display, "WM_PROTOCOLS", False);
    XInternAtom (display, "WM_DELETE_WINDOW", False);
    ASSERT_FALSE (atomExists (display, "WM_STATE"))
        << "something on this X server made the window-manager atoms; the case needs a bare display";

    openResizeAndCloseTwice (display);
    XCloseDisplay (display);
}
