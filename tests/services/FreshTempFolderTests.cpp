#include "support/FreshTempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

// Test binaries under ctest -j and fuzzers under -jobs make their sandboxes at the same moment.
TEST (FreshTempFolder, MakersStartedTogetherEachGetAFolderOfTheirOwn)
{
    constexpr int makers = 8;
    std::atomic<int> waiting { makers };
    std::vector<juce::Array<juce::File>> made (makers);
    std::vector<std::thread> threads;

    for (size_t m = 0; m < makers; ++m)
        threads.emplace_back ([&, m]
        {
            for (--waiting; waiting > 0;) {}

            // Each claims its folders with a file: a folder handed out twice holds two.
            for (int i = 0; i < 25; ++i)
                made[m].add (makeFreshTempFolder ("quillmont-fresh").getChildFile (juce::String ((int) m) + "-" + juce::String (i)));

            for (auto& claim : made[m])
                claim.create();
        });

    for (auto& thread : threads)
        thread.join();

    for (const auto& claims : made)
        for (const auto& claim : claims)
            EXPECT_EQ (claim.getParentDirectory().getNumberOfChildFiles (juce::File::findFiles), 1) << claim.getFullPathName();

    for (const auto& claims : made)
        for (const auto& claim : claims)
            claim.getParentDirectory().deleteRecursively();
}
