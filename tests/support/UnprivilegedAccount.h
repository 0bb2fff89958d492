#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

/** An account that is not root, for tests of what a normal user meets: the caller, or 'nobody'
    when the caller is root, as in CI. */
struct UnprivilegedAccount
{
    juce::String name;
    uid_t uid;
    gid_t gid;

    /** None where the system has no such account (no 'nobody', or a caller without an entry in
        the user database); the test then says so and skips. */
    static std::optional<UnprivilegedAccount> find()
    {
        const auto* entry = ::getuid() == 0 ? ::getpwnam ("nobody") : ::getpwuid (::getuid());
        if (entry == nullptr)
            return std::nullopt;
        return UnprivilegedAccount { entry->pw_name, entry->pw_uid, entry->pw_gid };
    }

    /** What root puts before a command to run it as this account. */
    juce::StringArray commandFromRoot() const
    {
        return { "setpriv", "--clear-groups", "--reuid=" + juce::String (uid), "--regid=" + juce::String (gid) };
    }

    /** Lets every account read, and enter or run, a file or folder the test made for this account:
        what the caller's umask left it would otherwise decide. */
    static bool share (const juce::File& fileOrFolder)
    {
        return ::chmod (fileOrFolder.getFullPathName().toRawUTF8(), 0755) == 0;
    }

    static constexpr const char* missing = "this system has no account that is not root to act as"
                                           " (no 'nobody' account, or the caller has no entry in the user database)";
};
