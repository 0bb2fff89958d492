#include "support/FreshTempFolder.h"
#include "support/UnprivilegedAccount.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

// The hosted tests load the plug-in, which reads and writes below /opt; their wrapper hides an
// installation there from them. Most developers are not root, and the install command leaves
// /opt/Korvanth behind.
TEST (PrivateOpt, TheHostedTestsSeeAnEmptyOptWhenANormalUserRunsThemBesideAnInstallation)
{
    const auto account = UnprivilegedAccount::find();
    if (! account)
        GTEST_SKIP() << UnprivilegedAccount::missing;

    const auto asRoot = ::getuid() == 0;
    if (std::system (asRoot ? "unshare --mount true 2>/dev/null" : "unshare --user --map-root-user --mount true 2>/dev/null") != 0)
        GTEST_SKIP() << "this system gives the tests no mount namespace to install into";

    // A copy the account can read wherever the checkout lives.
    const auto folder = makeFreshTempFolder ("quillmont-private-opt");
    const auto wrapper = folder.getChildFile ("with-private-opt.sh");
    ASSERT_TRUE (juce::File (QUILLMONT_TEST_DATA_DIR).getSiblingFile ("host/with-private-opt.sh").copyFileTo (wrapper));
    ::chmod (folder.getFullPathName().toRawUTF8(), 0755);

    // A mount namespace of the test's own with an installation in it, entered as the account:
    // root drops to it, anyone else leaves the user namespace the mount needed.
    const auto becomeAccount = asRoot ? account->commandFromRoot().joinIntoString (" ")
                                      : "unshare --user --map-user=" + juce::String (account->uid) + " --map-group=" + juce::String (account->gid);

    juce::StringArray command { "unshare" };
    if (! asRoot)
        command.addArray ({ "--user", "--map-root-user" });
    command.addArray ({ "--mount", "--propagation", "private", "sh", "-c",
                        "mount -t tmpfs installed /opt && mkdir /opt/Korvanth && exec " + becomeAccount + " \"$@\"", "sh",
                        "bash", wrapper.getFullPathName(),
                        "sh", "-c", "test -z \"$(ls -A /opt)\" && echo 'ran with an empty /opt'" });

    juce::ChildProcess process;
    ASSERT_TRUE (process.start (command));
    const auto output = process.readAllProcessOutput();
    EXPECT_EQ (process.getExitCode(), 0u) << output;
    EXPECT_TRUE (output.contains ("ran with an empty /opt")) << output;

    folder.deleteRecursively();
}
