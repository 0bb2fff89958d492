#include "support/FreshTempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

// Test binaries under ctest -j and fuzzers under -jobs make their sandboxes at the same moment.
TEST (FreshTempFolder, MakersStartedTogetherEachGetAnEmptyFolderOfTheirOwn)
{
    constexpr int makers = 8;
    constexpr int foldersEach = 25;
    std::atomic<int> waiting { makers };
    std::vector<juce::StringArray> made (makers);
    std::vector<std::thread> threads;

    for (int m = 0; m < makers; ++m)
        threads.emplace_back ([&, m]
        {
            for (--waiting; waiting > 0;) {}

            for (int i = 0; i < foldersEach; ++i)
            {
                const auto folder = makeFreshTempFolder ("quillmont-fresh");
                // A folder handed out twice ends up with two of these.
                folder.getChildFile (juce::String (m) + "-" + juce::String (i)).create();
                made[(size_t) m].add (folder.getFullPathName());
            }
        });

    for (auto& thread : threads)
        thread.join();

    std::set<juce::String> distinct;

    for (const auto& list : made)
    {
        for (const auto& path : list)
        {
            distinct.insert (path);
            EXPECT_EQ (juce::File (path).getNumberOfChildFiles (juce::File::findFiles), 1) << path;
        }
    }

    EXPECT_EQ (distinct.size(), (size_t) (makers * foldersEach));

    for (const auto& path : distinct)
        juce::File (path).deleteRecursively();
}
