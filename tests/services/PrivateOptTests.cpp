#include "support/FreshTempFolder.h"
#include "support/UnprivilegedAccount.h"

#include <gtest/gtest.h>

// The hosted tests load the plug-in, which reads and writes below /opt; their wrapper hides an
// installation there from them. Most developers are not root, and the install command leaves
// /opt/Korvanth behind.
namespace
{
    struct Outcome
    {
        int status;
        juce::String output;
    };

    // The framework answers 0 for the status of a child that is still running, so it is read only
    // once the child has ended.
    Outcome run (const juce::StringArray& command)
    {
        juce::ChildProcess process;
        if (! process.start (command))
            return { -1, "could not start " + command[0] };

        const auto output = process.readAllProcessOutput();
        if (! process.waitForProcessToFinish (60000))
        {
            process.kill();
            return { -1, output + "\n(still running after a minute)" };
        }
        return { static_cast<int> (process.getExitCode()), output };
    }

    class PrivateOpt : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (! account)
                GTEST_SKIP() << UnprivilegedAccount::missing;

            if (besideAnInstallation ({ "true" }).status != 0)
                GTEST_SKIP() << "this system gives the test no mount namespace to put an installation in";

            // Copies the account can read wherever the checkout lives, whatever the caller's umask.
            ASSERT_TRUE (juce::File (QUILLMONT_TEST_DATA_DIR).getSiblingFile ("host/with-private-opt.sh").copyFileTo (wrapper));
            ASSERT_TRUE (tools.createDirectory());
            for (const auto& made : { scratch.folder, wrapper, tools })
                ASSERT_TRUE (UnprivilegedAccount::share (made));
        }

        /** Runs a command as the account in a mount namespace of the test's own, with an
            installation in its /opt: root drops to the account, anyone else leaves the user
            namespace the mount needed. */
        Outcome besideAnInstallation (const juce::StringArray& asAccount) const
        {
            const auto becomeAccount = asRoot ? account->commandFromRoot().joinIntoString (" ")
                                              : "unshare --user --map-user=" + juce::String (account->uid) + " --map-group=" + juce::String (account->gid);

            juce::StringArray command { "unshare" };
            if (! asRoot)
                command.addArray ({ "--user", "--map-root-user" });
            command.addArray ({ "--mount", "--propagation", "private", "sh", "-c",
                                "mount -t tmpfs installed /opt && mkdir /opt/Korvanth && exec " + becomeAccount + " \"$@\"", "sh" });
            command.addArray (asAccount);
            return run (command);
        }

        /** The wrapper around a command that says whether it saw an empty /opt, with the stand-ins first on PATH. */
        Outcome runWrapper() const
        {
            return besideAnInstallation ({ "env", "PATH=" + tools.getFullPathName() + ":" + juce::SystemStats::getEnvironmentVariable ("PATH", {}),
                                           "bash", wrapper.getFullPathName(),
                                           "sh", "-c", "test -z \"$(ls -A /opt)\" && echo 'ran with an empty /opt'" });
        }

        void standIn (const juce::String& tool, const juce::String& script) const
        {
            const auto file = tools.getChildFile (tool);
            ASSERT_TRUE (file.replaceWithText ("#!/bin/sh\n" + script + "\n", false, false, "\n"));
            ASSERT_TRUE (UnprivilegedAccount::share (file));
        }

        const std::optional<UnprivilegedAccount> account = UnprivilegedAccount::find();
        const bool asRoot = ::getuid() == 0;
        const ScopedTempFolder scratch { "quillmont-private-opt" };
        const juce::File wrapper = scratch.folder.getChildFile ("with-private-opt.sh");
        const juce::File tools = scratch.folder.getChildFile ("tools");
    };
}

// Whether the account can have a private /opt is the system's to say: where it cannot, a user
// meets the refusal, which must say why.
TEST_F (PrivateOpt, TheHostedTestsSeeAnEmptyOptWhenANormalUserRunsThemBesideAnInstallation)
{
    const auto canHideOpt = besideAnInstallation ({ "unshare", "--user", "--map-root-user", "--mount",
                                                    "mount", "-t", "tmpfs", "probe", "/opt" }).status == 0;
    const auto outcome = runWrapper();

    if (canHideOpt)
    {
        EXPECT_EQ (outcome.status, 0) << outcome.output;
        EXPECT_TRUE (outcome.output.contains ("ran with an empty /opt")) << outcome.output;
    }
    else
    {
        EXPECT_EQ (outcome.status, 1) << outcome.output;
        EXPECT_TRUE (outcome.output.contains ("refusing to run: /opt/Korvanth exists")) << outcome.output;
    }
}

TEST_F (PrivateOpt, WhereNoUserNamespaceCanBeMadeTheRefusalSaysSoAndHowToAllowThem)
{
    standIn ("unshare", "echo 'unshare: unshare failed: the stand-in allows no namespace' >&2; exit 1");

    const auto outcome = runWrapper();
    EXPECT_EQ (outcome.status, 1) << outcome.output;
    EXPECT_TRUE (outcome.output.contains ("a user namespace could not be made: unshare: unshare failed: the stand-in allows no namespace")) << outcome.output;
    EXPECT_TRUE (outcome.output.contains ("allow unprivileged user namespaces")) << outcome.output;
}

// A security module may let a user make a namespace but not mount in it: allowing user namespaces
// would not help there.
TEST_F (PrivateOpt, WhereTheUserNamespaceMayNotMountTheRefusalSaysSoAndNotToAllowNamespaces)
{
    standIn ("unshare", "while [ \"${1#-}\" != \"$1\" ]; do shift; done; exec \"$@\"");
    standIn ("mount", "echo 'mount: /opt: the stand-in may not mount here.' >&2; exit 32");

    const auto outcome = runWrapper();
    EXPECT_EQ (outcome.status, 1) << outcome.output;
    EXPECT_TRUE (outcome.output.contains ("a user namespace was made, but a tmpfs could not be mounted over /opt in it: mount: /opt: the stand-in may not mount here.")) << outcome.output;
    EXPECT_FALSE (outcome.output.contains ("allow unprivileged user namespaces")) << outcome.output;
}
