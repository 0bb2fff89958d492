#pragma once

#include <juce_core/juce_core.h>

namespace korvanth
{
    /** Opens folders and web pages in the system's own applications, for every part of the
        plug-in (preset menu, logo menu, news bell).

        The framework's launchers hand the path to "/bin/sh -c" on Linux, where a folder or
        link named "$(...)" would run as a command. Here only an existing absolute folder or a
        well-formed http/https address gets through, and it reaches the opener as one argument
        of its own, with no shell in between. Message thread only.
    */
    class KV_Launcher
    {
    public:
        /** Shows the folder in the file browser; false when the path is not absolute, names no
            existing folder, or the opener could not be started. */
        static bool openFolder (const juce::String& folderPath);

        /** Opens the address in the default browser; false when it is not a well-formed
            http or https address or the opener could not be started. */
        static bool openUrl (const juce::String& address);

        /** Scheme http or https, a host of letters, digits, dots and dashes with an optional
            port, and a rest made only of the characters an address may carry (RFC 3986,
            with "%" only before two hex digits): no blanks, quotes, backquotes or braces. */
        static bool isWellFormedWebAddress (const juce::String& address);

        /** The program that receives the folder or address: the platform's opener by default.
            Tests put a recording program here so nothing real opens; an empty text restores
            the default. */
        static void setOpenerProgram (const juce::String& program);

        /** Waits until every opener started so far has ended; false on timeout. */
        static bool waitForOpeners (int timeoutMilliseconds);

    private:
        static bool launch (const juce::String& argument);

        KV_Launcher() = delete;
    };
}
