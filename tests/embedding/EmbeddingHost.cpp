#include "EmbeddingHost.h"

#include <pluginterfaces/base/ipluginbase.h>
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <pluginterfaces/vst/ivsthostapplication.h>
#include <pluginterfaces/vst/ivstmessage.h>

#include <dlfcn.h>
#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

using namespace Steinberg;

namespace
{
    // The interfaces' identifiers as the headers spell them, so no definitions need linking.
    bool isInterface (const TUID asked, const TUID iid) { return FUnknownPrivate::iidEqual (asked, iid); }

    template <typename Interface>
    Interface* queryFrom (FUnknown* object, const TUID iid)
    {
        void* result = nullptr;
        if (object == nullptr || object->queryInterface (iid, &result) != kResultOk)
            return nullptr;
        return static_cast<Interface*> (result);
    }

    template <typename Object>
    void releaseAndClear (Object*& object)
    {
        if (object != nullptr)
            object->release();
        object = nullptr;
    }

    using Clock = std::chrono::steady_clock;
}

//==============================================================================
struct EmbeddingHost::Application final : public Vst::IHostApplication
{
    tresult PLUGIN_API getName (Vst::String128 name) override
    {
        const char text[] = "Quillmont Embedding Host";
        for (size_t i = 0; i < sizeof (text); ++i)
            name[i] = static_cast<char16> (text[i]);
        return kResultOk;
    }

    tresult PLUGIN_API createInstance (TUID, TUID, void** object) override
    {
        *object = nullptr;
        return kNoInterface;
    }

    tresult PLUGIN_API queryInterface (const TUID asked, void** object) override
    {
        if (isInterface (asked, INLINE_UID_OF (FUnknown)) || isInterface (asked, INLINE_UID_OF (Vst::IHostApplication)))
        {
            *object = static_cast<Vst::IHostApplication*> (this);
            return kResultOk;
        }
        *object = nullptr;
        return kNoInterface;
    }

    // Owned by the host for the plug-in's whole life.
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
};

//==============================================================================
struct EmbeddingHost::Frame final : public IPlugFrame,
                                    public Linux::IRunLoop
{
    explicit Frame (::Display* d) : display (d) {}

    tresult PLUGIN_API resizeView (IPlugView* requester, ViewRect* size) override
    {
        if (requester == nullptr || size == nullptr || requester != view)
            return kInvalidArgument;

        XResizeWindow (display, window, static_cast<unsigned> (size->getWidth()), static_cast<unsigned> (size->getHeight()));
        XSync (display, False);
        return requester->onSize (size);
    }

    tresult PLUGIN_API registerEventHandler (Linux::IEventHandler* handler, Linux::FileDescriptor fd) override
    {
        if (handler == nullptr)
            return kInvalidArgument;
        handlers.emplace_back (fd, handler);
        return kResultTrue;
    }

    tresult PLUGIN_API unregisterEventHandler (Linux::IEventHandler* handler) override
    {
        handlers.erase (std::remove_if (handlers.begin(), handlers.end(),
                                        [handler] (const auto& entry) { return entry.second == handler; }),
                        handlers.end());
        return kResultTrue;
    }

    tresult PLUGIN_API registerTimer (Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds) override
    {
        if (handler == nullptr || milliseconds == 0)
            return kInvalidArgument;
        const auto interval = std::chrono::milliseconds (milliseconds);
        timers.push_back ({ handler, interval, Clock::now() + interval });
        return kResultTrue;
    }

    tresult PLUGIN_API unregisterTimer (Linux::ITimerHandler* handler) override
    {
        const auto before = timers.size();
        timers.erase (std::remove_if (timers.begin(), timers.end(),
                                      [handler] (const Timer& t) { return t.handler == handler; }),
                      timers.end());
        return timers.size() == before ? kInvalidArgument : kResultTrue;
    }

    tresult PLUGIN_API queryInterface (const TUID asked, void** object) override
    {
        if (isInterface (asked, INLINE_UID_OF (FUnknown)) || isInterface (asked, INLINE_UID_OF (IPlugFrame)))
        {
            *object = static_cast<IPlugFrame*> (this);
            return kResultOk;
        }
        if (isInterface (asked, INLINE_UID_OF (Linux::IRunLoop)))
        {
            *object = static_cast<Linux::IRunLoop*> (this);
            return kResultOk;
        }
        *object = nullptr;
        return kNoInterface;
    }

    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

    void pump (std::chrono::milliseconds duration)
    {
        const auto end = Clock::now() + duration;

        for (auto now = Clock::now(); now < end; now = Clock::now())
        {
            auto wakeUp = end;
            for (const auto& t : timers)
                wakeUp = std::min (wakeUp, t.due);

            std::vector<pollfd> fds;
            for (const auto& entry : handlers)
                fds.push_back ({ entry.first, POLLIN, 0 });

            const auto waitMs = std::chrono::ceil<std::chrono::milliseconds> (std::max (wakeUp - now, Clock::duration::zero()));
            if (poll (fds.data(), static_cast<nfds_t> (fds.size()), static_cast<int> (waitMs.count())) > 0)
                for (const auto& p : fds)
                    if ((p.revents & (POLLIN | POLLHUP | POLLERR)) != 0)
                        callHandlersFor (p.fd);

            fireDueTimers();
        }
    }

    ::Display* display;
    ::Window window = 0;
    IPlugView* view = nullptr;

private:
    // A handler may register or unregister handlers while it runs: call only those still registered.
    void callHandlersFor (int fd)
    {
        const auto snapshot = handlers;
        for (const auto& entry : snapshot)
            if (entry.first == fd && std::find (handlers.begin(), handlers.end(), entry) != handlers.end())
                entry.second->onFDIsSet (fd);
    }

    void fireDueTimers()
    {
        const auto now = Clock::now();
        std::vector<Linux::ITimerHandler*> due;
        for (auto& t : timers)
        {
            if (t.due <= now)
            {
                due.push_back (t.handler);
                t.due = now + t.interval;
            }
        }
        for (auto* handler : due)
            if (std::any_of (timers.begin(), timers.end(), [handler] (const Timer& t) { return t.handler == handler; }))
                handler->onTimer();
    }

    struct Timer
    {
        Linux::ITimerHandler* handler;
        std::chrono::milliseconds interval;
        Clock::time_point due;
    };

    std::vector<std::pair<int, Linux::IEventHandler*>> handlers;
    std::vector<Timer> timers;
};

//==============================================================================
struct EmbeddingHost::Module
{
    void* library = nullptr;
    IPluginFactory* factory = nullptr;
    Vst::IComponent* component = nullptr;
    Vst::IEditController* controller = nullptr;
    Vst::IConnectionPoint* componentPoint = nullptr;
    Vst::IConnectionPoint* controllerPoint = nullptr;
    bool entered = false;
};

//==============================================================================
EmbeddingHost::EmbeddingHost (const std::string& soPath, ::Display* d)
    : display (d),
      module (std::make_unique<Module>()),
      frame (std::make_unique<Frame> (d)),
      application (std::make_unique<Application>())
{
    auto& m = *module;
    m.library = dlopen (soPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m.library == nullptr)
    {
        error = std::string ("dlopen: ") + dlerror();
        return;
    }

    using EntryFunction = bool (*) (void*);
    using FactoryFunction = IPluginFactory* (PLUGIN_API*) ();
    auto entry = reinterpret_cast<EntryFunction> (dlsym (m.library, "ModuleEntry"));
    auto getFactory = reinterpret_cast<FactoryFunction> (dlsym (m.library, "GetPluginFactory"));
    if (entry == nullptr || getFactory == nullptr)
    {
        error = "the module exports no ModuleEntry or GetPluginFactory";
        return;
    }

    m.entered = entry (m.library);
    if (! m.entered || (m.factory = getFactory()) == nullptr)
    {
        error = "the module gave no factory";
        return;
    }

    for (int32 i = 0; i < m.factory->countClasses() && m.component == nullptr; ++i)
    {
        PClassInfo info {};
        if (m.factory->getClassInfo (i, &info) == kResultOk && std::strcmp (info.category, "Audio Module Class") == 0)
            m.factory->createInstance (info.cid, INLINE_UID_OF (Vst::IComponent), reinterpret_cast<void**> (&m.component));
    }

    if (m.component == nullptr || m.component->initialize (application.get()) != kResultOk)
    {
        error = "no audio component could be created and initialised";
        return;
    }

    TUID controllerId {};
    if (m.component->getControllerClassId (controllerId) != kResultOk
        || m.factory->createInstance (controllerId, INLINE_UID_OF (Vst::IEditController), reinterpret_cast<void**> (&m.controller)) != kResultOk
        || m.controller == nullptr
        || m.controller->initialize (application.get()) != kResultOk)
    {
        error = "no controller could be created and initialised";
        return;
    }

    m.componentPoint = queryFrom<Vst::IConnectionPoint> (m.component, INLINE_UID_OF (Vst::IConnectionPoint));
    m.controllerPoint = queryFrom<Vst::IConnectionPoint> (m.controller, INLINE_UID_OF (Vst::IConnectionPoint));
    if (m.componentPoint == nullptr || m.controllerPoint == nullptr)
    {
        error = "component and controller offer no connection points";
        return;
    }

    m.componentPoint->connect (m.controllerPoint);
    m.controllerPoint->connect (m.componentPoint);
}

EmbeddingHost::~EmbeddingHost()
{
    closeEditor();

    auto& m = *module;
    if (m.componentPoint != nullptr && m.controllerPoint != nullptr)
    {
        m.componentPoint->disconnect (m.controllerPoint);
        m.controllerPoint->disconnect (m.componentPoint);
    }
    releaseAndClear (m.componentPoint);
    releaseAndClear (m.controllerPoint);

    if (m.controller != nullptr)
        m.controller->terminate();
    if (m.component != nullptr)
        m.component->terminate();
    releaseAndClear (m.controller);
    releaseAndClear (m.component);
    releaseAndClear (m.factory);

    if (m.entered)
        if (auto exit = reinterpret_cast<bool (*)()> (dlsym (m.library, "ModuleExit")))
            exit();

    if (m.library != nullptr)
        dlclose (m.library);
}

bool EmbeddingHost::isLoaded() const noexcept { return error.empty(); }
const std::string& EmbeddingHost::getError() const noexcept { return error; }
bool EmbeddingHost::isEditorOpen() const noexcept { return frame->view != nullptr; }
::Window EmbeddingHost::getHostWindow() const noexcept { return frame->window; }

bool EmbeddingHost::openEditor()
{
    if (! isLoaded() || isEditorOpen())
        return false;

    auto* view = module->controller->createView (Vst::ViewType::kEditor);
    if (view == nullptr)
        return false;

    if (view->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID) != kResultTrue)
    {
        view->release();
        return false;
    }

    frame->view = view;
    view->setFrame (frame.get());

    ViewRect size;
    view->getSize (&size);

    const auto screen = DefaultScreen (display);
    frame->window = XCreateSimpleWindow (display, RootWindow (display, screen), 0, 0,
                                         static_cast<unsigned> (std::max (1, size.getWidth())),
                                         static_cast<unsigned> (std::max (1, size.getHeight())),
                                         0, BlackPixel (display, screen), BlackPixel (display, screen));
    XMapWindow (display, frame->window);
    XSync (display, False);

    if (view->attached (reinterpret_cast<void*> (static_cast<std::uintptr_t> (frame->window)), kPlatformTypeX11EmbedWindowID) != kResultOk)
    {
        closeEditor();
        return false;
    }

    return true;
}

void EmbeddingHost::closeEditor()
{
    if (auto* view = std::exchange (frame->view, nullptr))
    {
        view->removed();
        view->setFrame (nullptr);
        view->release();
    }

    if (frame->window != 0)
    {
        XDestroyWindow (display, frame->window);
        XSync (display, False);
        frame->window = 0;
    }
}

ViewRect EmbeddingHost::getEditorSize() const
{
    ViewRect size;
    if (frame->view != nullptr)
        frame->view->getSize (&size);
    return size;
}

ViewRect EmbeddingHost::resizeEditor (int width, int height)
{
    ViewRect size (0, 0, width, height);
    if (frame->view == nullptr)
        return {};

    frame->view->checkSizeConstraint (&size);
    XResizeWindow (display, frame->window, static_cast<unsigned> (size.getWidth()), static_cast<unsigned> (size.getHeight()));
    XSync (display, False);
    frame->view->onSize (&size);
    return size;
}

void EmbeddingHost::pump (std::chrono::milliseconds duration)
{
    frame->pump (duration);
    XSync (display, False);
}

std::vector<ViewRect> EmbeddingHost::getEmbeddedWindowSizes() const
{
    std::vector<ViewRect> sizes;
    if (frame->window == 0)
        return sizes;

    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree (display, frame->window, &root, &parent, &children, &count) == 0)
        return sizes;

    for (unsigned i = 0; i < count; ++i)
    {
        XWindowAttributes attributes {};
        if (XGetWindowAttributes (display, children[i], &attributes) != 0)
            sizes.emplace_back (attributes.x, attributes.y, attributes.x + attributes.width, attributes.y + attributes.height);
    }

    if (children != nullptr)
        XFree (children);
    return sizes;
}

std::vector<::Window> EmbeddingHost::getViewableTopLevelWindows (::Display* display)
{
    std::vector<::Window> viewable;
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree (display, DefaultRootWindow (display), &root, &parent, &children, &count) == 0)
        return viewable;

    for (unsigned i = 0; i < count; ++i)
    {
        XWindowAttributes attributes {};
        if (XGetWindowAttributes (display, children[i], &attributes) != 0 && attributes.map_state == IsViewable)
            viewable.push_back (children[i]);
    }

    if (children != nullptr)
        XFree (children);
    return viewable;
}
