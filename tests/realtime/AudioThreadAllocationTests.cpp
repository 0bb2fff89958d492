#include <gtest/gtest.h>

#include "dsp/StereoCircuitModel.h"
#include "dsp/StereoNoiseGate.h"
#include "processor/TheQuillmontAudioProcessor.h"
#include "services/PluginSettings.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>
#include <vector>

// This binary replaces the global allocation functions, so that any allocation or release made
// while a block is processed is counted, whoever makes it (our code, the framework, the library).
namespace
{
thread_local bool watching = false;
std::atomic<long> calls { 0 };

void* allocate (std::size_t size, std::size_t alignment = 0)
{
    if (watching)
        ++calls;

    if (size == 0)
        size = 1;

    void* p = alignment > alignof (std::max_align_t)
                  ? std::aligned_alloc (alignment, (size + alignment - 1) / alignment * alignment)
                  : std::malloc (size);

    if (p == nullptr)
        throw std::bad_alloc();

    return p;
}

void release (void* p) noexcept
{
    if (p != nullptr && watching)
        ++calls;

    std::free (p);
}
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try { return allocate (size); } catch (...) { return nullptr; }
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
    try { return allocate (size); } catch (...) { return nullptr; }
}
void* operator new (std::size_t size, std::align_val_t a) { return allocate (size, static_cast<std::size_t> (a)); }
void* operator new[] (std::size_t size, std::align_val_t a) { return allocate (size, static_cast<std::size_t> (a)); }
void operator delete (void* p) noexcept { release (p); }
void operator delete[] (void* p) noexcept { release (p); }
void operator delete (void* p, std::size_t) noexcept { release (p); }
void operator delete[] (void* p, std::size_t) noexcept { release (p); }
void operator delete (void* p, std::align_val_t) noexcept { release (p); }
void operator delete[] (void* p, std::align_val_t) noexcept { release (p); }
void operator delete (void* p, std::size_t, std::align_val_t) noexcept { release (p); }
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept { release (p); }

namespace
{
using P = QuillmontParameters::Index;

// Counts what happens on this thread between construction and count().
struct AllocationWatch
{
    AllocationWatch() { calls = 0; watching = true; }
    ~AllocationWatch() { watching = false; }
    long count() const { return calls.load(); }
};

struct Session
{
    explicit Session (int channels, double rate = 48000.0)
    {
        const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (set);
        layout.outputBuses.add (set);
        processor.setBusesLayout (layout);
        processor.prepareToPlay (rate, blockSize);
        buffer.setSize (channels, blockSize * 3);
        longBuffer.setSize (channels, blockSize * 3);
    }

    void set (P index, float value) { processor.parameter (index).setValue (value); }

    void process (int samples, float badSample = 0.0f)
    {
        auto& b = samples > blockSize ? longBuffer : buffer;
        b.setSize (b.getNumChannels(), samples, false, false, true);

        for (int c = 0; c < b.getNumChannels(); ++c)
            for (int i = 0; i < samples; ++i)
                b.setSample (c, i, i == 3 && badSample != 0.0f ? badSample : 0.3f * std::sin (0.05f * static_cast<float> (position + i)));

        position += samples;
        processor.processBlock (b, midi);
    }

    static constexpr int blockSize = 256;
    TheQuillmontAudioProcessor processor;
    juce::AudioBuffer<float> buffer, longBuffer;
    juce::MidiBuffer midi;
    int position = 0;
};

TEST (AudioThread, TheWatchSeesAnAllocation)
{
    AllocationWatch watch;
    delete new int (3);
    EXPECT_EQ (watch.count(), 2);
}

TEST (AudioThread, ProcessingNeverAllocatesInAnyCircuitOrQuality)
{
    for (const int channels : { 2, 1 })
        for (const bool hq : { false, true })
            for (int circuit = 0; circuit <= 4; ++circuit)
            {
                Session session (channels);
                session.set (P::hq, hq ? 1.0f : 0.0f);
                session.set (P::gate, 0.4f);
                session.set (P::circuitType, static_cast<float> (circuit) / 23.0f);
                session.process (Session::blockSize); // the first block applies the values

                AllocationWatch watch;

                for (int b = 0; b < 20; ++b)
                {
                    session.set (P::gain, 0.05f * static_cast<float> (b));
                    session.set (P::treble, 1.0f - 0.05f * static_cast<float> (b));
                    session.process (Session::blockSize);
                }

                EXPECT_EQ (watch.count(), 0) << channels << " channels, HQ " << hq << ", circuit " << circuit;

                // Stereo went through the two-lane circuit and gates, not the one-at-a-time way.
                if (channels == 2)
                {
                    const auto& p = session.processor;
                    EXPECT_TRUE (StereoCircuitModel::runsInLanes (p.models[0], p.models[1])) << circuit;
                    EXPECT_TRUE (StereoNoiseGate::runsInLanes (p.noiseGates[0], p.noiseGates[1])) << circuit;
                }
            }
}

// Every circuit (and an index past them) with HQ on and off, changed in every block and HQ
// switched in every other one. A switch that solved a table would publish it to the process's
// store and so allocate; run in a fresh process, this case finds that store empty.
long allocationsWhileSwitching (Session& session)
{
    session.set (P::gate, 0.4f);
    session.process (Session::blockSize);

    AllocationWatch watch;

    for (int b = 0; b < 24; ++b)
    {
        session.set (P::circuitType, static_cast<float> (b % 6) / 23.0f);
        session.set (P::hq, b % 4 < 2 ? 1.0f : 0.0f);
        session.process (Session::blockSize);
    }

    return watch.count();
}

TEST (AudioThread, SwitchingCircuitOrQualityInABlockNeverAllocates)
{
    Session session (2);
    EXPECT_EQ (allocationsWhileSwitching (session), 0);
}

// Other instances at many rates fill the process's store of tables; an instance prepared after
// them at a rate of its own must still switch without solving.
TEST (AudioThread, SwitchingCircuitOrQualityAfterManyRatesAndInstancesNeverAllocates)
{
    std::vector<std::unique_ptr<Session>> others;

    for (const double rate : { 8000.0, 11025.0, 16000.0, 22050.0, 32000.0, 44100.0, 88200.0, 176400.0, 192000.0 })
        others.push_back (std::make_unique<Session> (2, rate));

    Session session (2, 50000.0);
    EXPECT_EQ (allocationsWhileSwitching (session), 0);
}

TEST (AudioThread, ProcessorsHereReadNoRealInstallation)
{
    const auto temporary = juce::File::getSpecialLocation (juce::File::tempDirectory);
    EXPECT_TRUE (PluginSettings::getBaseFolder().isAChildOf (temporary)) << PluginSettings::getBaseFolder().getFullPathName();
}

TEST (AudioThread, HostsBreakingTheirPromisesCauseNoAllocation)
{
    for (const bool hq : { false, true })
    {
        Session session (2);
        session.set (P::hq, hq ? 1.0f : 0.0f);
        session.set (P::gate, 0.4f);
        session.process (Session::blockSize);

        AllocationWatch watch;
        session.process (Session::blockSize * 3);
        session.process (0);
        session.process (Session::blockSize, std::numeric_limits<float>::quiet_NaN());
        session.process (Session::blockSize, std::numeric_limits<float>::infinity());
        session.process (Session::blockSize);

        EXPECT_EQ (watch.count(), 0) << "HQ " << hq;
    }
}
} // namespace
