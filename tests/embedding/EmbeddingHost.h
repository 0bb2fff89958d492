#pragma once

// A VST3 host of the kind Linux DAWs are, cut down to what showing a plug-in's window takes: it
// loads the module by hand, connects the component and its controller directly, embeds the view
// in a raw Xlib window on the caller's own connection and runs the plug-in's file descriptors and
// timers from a poll() loop on the calling thread. It makes no window-manager atoms and installs
// no X error handler, so an X error ends the process as it ends a host.

#include <pluginterfaces/gui/iplugview.h>

#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

class EmbeddingHost
{
public:
    /** Loads the module at soPath (the bundle's Contents/x86_64-linux/<name>.so) and creates,
        initialises and connects its audio component and controller. */
    EmbeddingHost (const std::string& soPath, ::Display* display);

    /** Closes an open editor, then disconnects, terminates and releases everything, and unloads. */
    ~EmbeddingHost();

    bool isLoaded() const noexcept;
    const std::string& getError() const noexcept;

    /** Creates the "editor" view and attaches it to a new mapped top-level window of the view's size. */
    bool openEditor();

    /** Detaches and releases the view and destroys the host window. */
    void closeEditor();

    bool isEditorOpen() const noexcept;
    ::Window getHostWindow() const noexcept;
    Steinberg::ViewRect getEditorSize() const;

    /** Asks the view what it makes of width x height, resizes the host window to its answer and
        tells the view; returns the size the view settled on. */
    Steinberg::ViewRect resizeEditor (int width, int height);

    /** Runs the plug-in's handlers and timers for the given time. */
    void pump (std::chrono::milliseconds duration);

    /** Sizes of the windows the plug-in has put inside the host window. */
    std::vector<Steinberg::ViewRect> getEmbeddedWindowSizes() const;

    /** The server's top-level windows that are viewable, whoever made them. */
    static std::vector<::Window> getViewableTopLevelWindows (::Display* display);

private:
    struct Module;
    struct Frame;
    struct Application;

    ::Display* display;
    std::unique_ptr<Module> module;
    std::unique_ptr<Frame> frame;
    std::unique_ptr<Application> application;
    std::string error;
};
