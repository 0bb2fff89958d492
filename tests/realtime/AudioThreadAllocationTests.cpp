#include <gtest/gtest.h>

#include "dsp/StereoCircuitModel.h"
#include "dsp/StereoNoiseGate.h"
#include "processor/TheQuillmontAudioProcessor.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

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
    explicit Session (int channels)
    {
        const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (set);
        layout.outputBuses.add (set);
        processor.setBusesLayout (layout);
        processor.prepareToPlay (48000.0, blockSize);
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

TEST (AudioThread, SwitchingCircuitOrQualityInABlockNeverAllocates)
{
    Session session (2);
    session.set (P::gate, 0.4f);
    session.process (Session::blockSize);

    AllocationWatch watch;

    for (int b = 0; b < 12; ++b)
    {
        session.set (P::circuitType, static_cast<float> (b % 6) / 23.0f);
        session.set (P::hq, b % 2 == 0 ? 1.0f : 0.0f);
        session.process (Session::blockSize);
    }

    EXPECT_EQ (watch.count(), 0);
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
