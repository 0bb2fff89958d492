#include <gtest/gtest.h>

#include <iostream>
#include <string>

std::string& modulePath()
{
    static std::string path;
    return path;
}

// No framework here and no X error handler: the process meets the plug-in as a host's would.
int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    if (argc < 2)
    {
        std::cerr << "usage: " << argv[0] << " <path to The Quillmont.vst3>\n";
        return 2;
    }

    modulePath() = std::string (argv[1]) + "/Contents/x86_64-linux/The Quillmont.so";
    return RUN_ALL_TESTS();
}
