#include "services/NewsServiceEndpoint.h"

#include "services/NewsServiceScrambled.h"

#include <mutex>

namespace korvanth
{
    namespace
    {
        // The padding byte at the end of each array is not part of the text.
        template <size_t size>
        juce::String unscramble (const unsigned char (&bytes)[size], unsigned char seed)
        {
            juce::MemoryBlock plain (size - 1);
            auto key = static_cast<unsigned int> (seed);

            for (size_t i = 0; i + 1 < size; ++i)
            {
                plain[i] = static_cast<char> (bytes[i] ^ key);
                key = (key * 73u + 41u) & 255u;
            }

            return juce::String::fromUTF8 (static_cast<const char*> (plain.getData()), static_cast<int> (plain.getSize()));
        }

        // Set by a test on its own thread, read by news threads.
        std::mutex overrideLock;
        std::optional<NewsServiceEndpoint> processOverride;
    }

    NewsServiceEndpoint NewsServiceEndpoint::fromBuild()
    {
        return { unscramble (newsservice::baseUrl, newsservice::baseUrlSeed),
                 unscramble (newsservice::path, newsservice::pathSeed),
                 unscramble (newsservice::credentials, newsservice::credentialsSeed) };
    }

    NewsServiceEndpoint NewsServiceEndpoint::forProcess()
    {
        {
            const std::lock_guard<std::mutex> lock (overrideLock);

            if (processOverride.has_value())
                return *processOverride;
        }

        return fromBuild();
    }

    void NewsServiceEndpoint::overrideForProcess (std::optional<NewsServiceEndpoint> endpoint)
    {
        const std::lock_guard<std::mutex> lock (overrideLock);
        processOverride = std::move (endpoint);
    }
}
