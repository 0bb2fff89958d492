#include "services/KV_Launcher.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace korvanth
{
namespace
{
    constexpr int maxAddressLength = 4096;

    juce::String defaultOpener()
    {
       #if JUCE_MAC
        return "/usr/bin/open";
       #else
        return "xdg-open";
       #endif
    }

    // The openers this plug-in started, reaped by a thread of their own as soon as each ends:
    // an ended child stays a zombie of the host until someone waits for it. Only these children
    // are ever waited for, by their own ids; the host's other children and its handling of
    // SIGCHLD are none of the plug-in's business. The thread checks a few times a second while
    // an opener runs (one may live as long as the browser it started) and sleeps while none does.
    struct Openers : private juce::Thread
    {
        Openers() : juce::Thread ("Opener Watcher") {}

        // At unload an opener still running is left to the host; the thread must not outlive
        // the code it runs.
        ~Openers() override { stopThread (1000); }

        void forgetFinished()
        {
            running.erase (std::remove_if (running.begin(), running.end(),
                                           [] (const auto& process) { return ! process->isRunning(); }),
                           running.end());
        }

        // Called with the lock held.
        void watch (std::unique_ptr<juce::ChildProcess> process)
        {
            running.push_back (std::move (process));
            startThread (juce::Thread::Priority::low);
            notify();
        }

        juce::CriticalSection lock;
        juce::String program;
        std::vector<std::unique_ptr<juce::ChildProcess>> running;

    private:
        static constexpr int firstCheckMs = 5;
        static constexpr int longestCheckMs = 200;

        void run() override
        {
            auto interval = firstCheckMs;

            while (! threadShouldExit())
            {
                bool anyRunning = false;

                {
                    const juce::ScopedLock scope (lock);
                    forgetFinished();
                    anyRunning = ! running.empty();
                }

                // A new opener wakes the thread and starts the checks afresh.
                if (wait (anyRunning ? interval : -1))
                    interval = firstCheckMs;
                else
                    interval = juce::jmin (interval * 2, longestCheckMs);
            }
        }
    };

    Openers& openers()
    {
        static Openers instance;
        return instance;
    }

    bool isAsciiLetterOrDigit (juce::juce_wchar c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    }

    bool isHexDigit (juce::juce_wchar c)
    {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }

    bool isValidHost (const juce::String& host)
    {
        if (host.isEmpty() || host.startsWithChar ('-') || host.startsWithChar ('.'))
            return false;

        for (auto c : host)
            if (! (isAsciiLetterOrDigit (c) || c == '.' || c == '-'))
                return false;

        return true;
    }

    bool isValidPort (const juce::String& port)
    {
        return port.isNotEmpty() && port.length() <= 5 && port.containsOnly ("0123456789");
    }

    // Path, query and fragment: unreserved, reserved and percent-encoded characters only.
    bool isValidRest (const juce::String& rest)
    {
        static const juce::String allowedMarks ("-._~:/?#[]@!$&'()*+,;=");

        for (auto p = rest.getCharPointer(); ! p.isEmpty();)
        {
            auto c = p.getAndAdvance();

            if (c == '%')
            {
                if (! isHexDigit (p.getAndAdvance()) || ! isHexDigit (p.getAndAdvance()))
                    return false;
            }
            else if (! isAsciiLetterOrDigit (c) && ! allowedMarks.containsChar (c))
            {
                return false;
            }
        }

        return true;
    }
}

bool KV_Launcher::isWellFormedWebAddress (const juce::String& address)
{
    if (address.length() > maxAddressLength)
        return false;

    juce::String afterScheme;

    if (address.startsWithIgnoreCase ("https://"))
        afterScheme = address.substring (8);
    else if (address.startsWithIgnoreCase ("http://"))
        afterScheme = address.substring (7);
    else
        return false;

    const auto authorityEnd = afterScheme.indexOfAnyOf ("/?#");
    const auto authority = authorityEnd < 0 ? afterScheme : afterScheme.substring (0, authorityEnd);
    const auto rest = authorityEnd < 0 ? juce::String() : afterScheme.substring (authorityEnd);

    const auto colon = authority.indexOfChar (':');
    const auto host = colon < 0 ? authority : authority.substring (0, colon);

    if (! isValidHost (host))
        return false;

    if (colon >= 0 && ! isValidPort (authority.substring (colon + 1)))
        return false;

    return isValidRest (rest);
}

bool KV_Launcher::openFolder (const juce::String& folderPath)
{
    // A relative text would be rooted in the host's working folder: only an absolute path
    // that names a folder now is shown.
    if (! juce::File::isAbsolutePath (folderPath))
        return false;

    const juce::File folder (folderPath);

    if (! folder.isDirectory())
        return false;

    return launch (folder.getFullPathName());
}

bool KV_Launcher::openUrl (const juce::String& address)
{
    if (! isWellFormedWebAddress (address))
        return false;

    return launch (address);
}

void KV_Launcher::setOpenerProgram (const juce::String& program)
{
    auto& state = openers();
    const juce::ScopedLock scope (state.lock);
    state.program = program;
}

bool KV_Launcher::waitForOpeners (int timeoutMilliseconds)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) juce::jmax (0, timeoutMilliseconds);
    auto& state = openers();

    for (;;)
    {
        {
            const juce::ScopedLock scope (state.lock);
            state.forgetFinished();

            if (state.running.empty())
                return true;
        }

        if (juce::Time::getMillisecondCounter() >= deadline)
            return false;

        juce::Thread::sleep (2);
    }
}

bool KV_Launcher::launch (const juce::String& argument)
{
    auto& state = openers();
    const juce::ScopedLock scope (state.lock);
    state.forgetFinished();

   #if JUCE_WINDOWS
    // The shell API there starts the document's application directly; no command line is parsed.
    if (state.program.isEmpty())
        return argument.startsWithIgnoreCase ("http") ? juce::URL (argument).launchInDefaultBrowser()
                                                      : juce::File (argument).startAsProcess();
   #endif

    const auto program = state.program.isNotEmpty() ? state.program : defaultOpener();
    auto process = std::make_unique<juce::ChildProcess>();

    // The argument list goes to exec as it stands: each entry is one argument, nothing is parsed.
    if (! process->start (juce::StringArray { program, argument }, 0))
        return false;

    state.watch (std::move (process));
    return true;
}
}
