#include "processor/TheQuillmontAudioProcessor.h"

#include "dsp/StereoCircuitModel.h"
#include "dsp/StereoNoiseGate.h"

#include <algorithm>
#include <cmath>

namespace
{
    using Index = QuillmontParameters::Index;

    // Constant names, so that publishing one from the audio thread neither allocates nor tears.
    constexpr const char* circuitNames[] { "Default", "Bass", "MGV", "Plexy", "Smooth" };

    // The pots' slope 1 - 0.993 as the circuit model rounds it.
    constexpr double potGlideComplement = 1.0 - PedalCircuitModel::tonePotSmoothing;

    // Nearest integer, ties to even (the default rounding mode).
    int roundToInt (double value) noexcept
    {
        return static_cast<int> (std::nearbyint (value));
    }

    // The log taper of the bass and mid pots: (81^p - 1) / 80.
    float logTaper (float position) noexcept
    {
        return std::pow (81.0f, position) * 0.0125f - 0.0125f;
    }

    float decibelsToGain (float decibels) noexcept
    {
        return decibels <= -100.0f ? 0.0f : std::pow (10.0f, decibels * 0.05f);
    }

    // The gate's threshold from its knob: -100 dB at 0 up to -10 dB at 1, in a gentle curve.
    float gateThreshold (float position) noexcept
    {
        const float t = std::pow (3.4489798545837402f, position) * 0.40833330154418945f - 0.40833330154418945f;
        const float level = (t * -0.8999999761581421f + 1.0f) * -100.0f;
        return std::pow (10.0f, level / 20.0f);
    }

    // A non-finite input sample leaves NaN or infinity in the filters it passed through, and
    // recursive state never recovers on its own. Once per block, whatever is no longer a number
    // goes back to rest; everything else keeps running.
    void resetNonFiniteState (PedalCircuitModel& model) noexcept
    {
        auto settle = [] (auto& value)
        {
            if (! std::isfinite (value))
                value = {};
        };

        auto& f = model.filters;

        for (auto* filter : { &f.inputCoupling, &f.gainFeedback, &f.stage1Coupling, &f.stage2Coupling,
                              &f.stage2Feedback, &f.clipperCoupling, &f.outputLowpass,
                              &model.waveshaperA.lowpass, &model.waveshaperB.lowpass,
                              &model.asymmetricTable.dcBlocker })
            settle (filter->state);

        settle (model.clipperTable.state);

        for (auto& w : model.toneState)
            settle (w);

        for (auto& pot : model.smoothedPots)
        {
            settle (pot.current);
            settle (pot.previous);
        }
    }

    // The gate's running state goes back to rest when a non-finite key reached it.
    void resetNonFiniteState (NoiseGate& gate) noexcept
    {
        const float sum = gate.envelope + gate.peakFollower + gate.meanSquareFollower + gate.gain + gate.lastGain
                          + gate.attackCoefficient + gate.releaseCoefficient;

        if (std::isfinite (sum))
            return;

        const NoiseGate rest;
        gate.envelope = rest.envelope;
        gate.peakFollower = rest.peakFollower;
        gate.meanSquareFollower = rest.meanSquareFollower;
        gate.target = rest.target;
        gate.gain = rest.gain;
        gate.lastGain = rest.lastGain;
        gate.closingCount = 0;
        gate.openingCount = 0;

        // The timing is derived from the followers at the next sample; until then any finite
        // value will do.
        gate.attackCoefficient = 0.0f;
        gate.releaseCoefficient = 0.0f;
    }
}

//==============================================================================
void TheQuillmontAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    // A host that hands over no usable rate keeps the last one rather than breaking every filter.
    if (! (std::isfinite (sampleRate) && sampleRate > 0.0))
        sampleRate = hostSampleRate;

    preparedBlockSize = std::max (samplesPerBlock, 1);
    dryBuffer.setSize (2, preparedBlockSize, false, false, false);
    oversampler->initProcessing (static_cast<size_t> (preparedBlockSize));

    // Enough delay for twice the rate, so an HQ switch inside a block needs no new memory.
    for (auto& line : dryDelayLines)
        line.reserve (DryDelayLine::lengthForRate (sampleRate * 2.0));

    // Solved here, where slow work is allowed, for every circuit at both rates HQ may select.
    auto tables = PedalCircuitModel::clipperTablesAt (sampleRate);
    tables.add (PedalCircuitModel::clipperTablesAt (sampleRate * 2.0));
    clipperTables.prepare (tables);

    if (firstPreparePending.load (std::memory_order_acquire) != 0)
    {
        hostSampleRate = sampleRate;
        prepareDsp (hqActive ? sampleRate * 2.0 : sampleRate);
        updateParameters();
        reset();

        // The values stay as construction, a state, a preset or the host left them, and the host
        // is told nothing: an announcement from here reaches it only with a later block, maybe
        // after it restored a project, and it takes the stale value for the user's edit. The
        // flag alone makes the next block apply every value.
        parametersChanged.store (1, std::memory_order_release);
        firstPreparePending.store (0, std::memory_order_release);
    }
    else if (sampleRate != hostSampleRate)
    {
        hostSampleRate = sampleRate;
        prepareDsp (hqActive ? sampleRate * 2.0 : sampleRate);
        updateParameters();
        reset();

        // Preparing put the circuit back to rest; the next block applies every value again.
        parametersChanged.store (1, std::memory_order_release);
    }

    hostSampleRate = sampleRate;
}

void TheQuillmontAudioProcessor::prepareDsp (double rate)
{
    // The gates and their keys listen to the host-rate dry signal, also while HQ is on.
    const double gateRate = hqActive ? hostSampleRate : rate;

    for (size_t c = 0; c < models.size(); ++c)
    {
        dryDelayLines[c].prepare (rate);

        auto& key = keyHighPass[c];
        key.sampleRate = gateRate;
        key.setCornerFrequency (std::min (topCorner (gateRate), 312.0f));

        noiseGates[c].prepare (gateRate);

        auto& model = models[c];
        model.prepare (rate);
        model.setCircuitType (currentCircuitIndex.load (std::memory_order_relaxed));
        model.startFadeIn();
    }

    powerSmoother.prepare (rate);
    mixSmoother.prepare (rate);
}

//==============================================================================
void TheQuillmontAudioProcessor::updateParameters()
{
    // Taken before any value is read: a write that lands while this update runs raises the flag
    // again, so the next block applies it and nothing is lost.
    bool changed = parametersChanged.exchange (0, std::memory_order_acquire) != 0;

    // Any value but exactly 0 switches HQ on, as hosts may automate it continuously.
    const bool hqRequested = parameter (Index::hq).getValue() != 0.0f;

    if (hqRequested != hqActive)
    {
        hqActive = hqRequested;
        oversampler->reset();
        prepareDsp (hqActive ? hostSampleRate * 2.0 : hostSampleRate);

        // Preparing put the gains, corners and thresholds back to their rest values.
        changed = true;
    }

    if (! changed)
        return;

    // Hosts may send values outside 0..1; the circuit only knows the knobs' travel.
    auto position = [this] (Index index) { return juce::jlimit (0.0f, 1.0f, parameter (index).getValue()); };
    auto plainValue = [this] (Index index)
    {
        auto& p = parameter (index);
        return p.range.convertFrom0to1 (juce::jlimit (0.0f, 1.0f, p.getValue()));
    };

    powerSmoother.target = position (Index::power);

    const int circuit = roundToInt (static_cast<double> (plainValue (Index::circuitType)));

    if (circuit != appliedCircuitIndex)
    {
        for (auto& model : models)
            model.setCircuitType (circuit);

        currentCircuitIndex.store (circuit, std::memory_order_relaxed);

        // Indices past the five circuits keep the circuit, and so the name, that was in force.
        if (circuit >= 0 && circuit < static_cast<int> (std::size (circuitNames)))
            circuitName.store (circuitNames[circuit], std::memory_order_release);

        appliedCircuitIndex = circuit;
        circuitChanged.store (1, std::memory_order_release);

        for (auto& model : models)
            model.startFadeIn();
    }

    const float gain = position (Index::gain);
    const double bass = 1.0 - static_cast<double> (logTaper (position (Index::bass)));
    const double mid = static_cast<double> (logTaper (position (Index::mid)));
    const double treble = 1.0 - static_cast<double> (position (Index::treble));
    const double volume = 1.0 - static_cast<double> (position (Index::level));

    for (auto& model : models)
    {
        applyGain (model, gain);

        model.toneTargets[PedalCircuitModel::bassPot] = bass * potGlideComplement;
        model.toneTargets[PedalCircuitModel::midPot] = mid * potGlideComplement;
        model.toneTargets[PedalCircuitModel::treblePot] = treble * potGlideComplement;
        model.toneTargets[PedalCircuitModel::volumePot] = volume * potGlideComplement;
    }

    inputGain = decibelsToGain (plainValue (Index::inputGain));
    outputGain = decibelsToGain (plainValue (Index::outputGain));

    const float gate = position (Index::gate);
    gateActive = gate > 0.001f;

    const float threshold = gateThreshold (gate);

    for (auto& noiseGate : noiseGates)
        noiseGate.threshold = threshold;

    mixSmoother.target = position (Index::mix);
}

// The gain pot is one 100k track split between the first stage's feedback (a) and the second
// stage's input (b): turning it up raises the first stage's gain and the second's together, and
// lowers the first stage's feedback corner.
void TheQuillmontAudioProcessor::applyGain (PedalCircuitModel& model, float gainPosition) noexcept
{
    const auto& parts = model.components;
    const double a = parts.rGainPot * static_cast<double> (gainPosition);
    const double b = parts.rGainPot * static_cast<double> (1.0f - gainPosition);

    model.waveshaperA.gain = static_cast<double> (static_cast<float> (a) / static_cast<float> (parts.rGainGround) + 1.0f);
    model.waveshaperB.gain = static_cast<double> (-static_cast<float> (parts.rStage2Feedback)
                                                  / static_cast<float> (b + parts.rStage2Input));

    auto& feedback = model.filters.gainFeedback;
    const auto corner = static_cast<float> (1.0 / (a * (parts.cGainFeedback * 2.0 * juce::MathConstants<double>::pi)));
    feedback.setCornerFrequency (limitCorner (corner, feedback.sampleRate));
}

//==============================================================================
void TheQuillmontAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;

    const int inputs = getTotalNumInputChannels();
    const int outputs = std::min (getTotalNumOutputChannels(), buffer.getNumChannels());
    const int numSamples = buffer.getNumSamples();

    for (int channel = std::min (inputs, 2); channel < outputs; ++channel)
        buffer.clear (channel, 0, numSamples);

    // A host that processes before preparing gets its input back untouched: nothing is sized yet.
    if (firstPreparePending.load (std::memory_order_acquire) != 0 || preparedBlockSize <= 0)
        return;

    const bool stereo = inputs == 2 && getTotalNumOutputChannels() == 2;
    const int numChannels = std::min (stereo ? 2 : 1, buffer.getNumChannels());

    updateParameters();

    // A host may send more samples than it announced; the dry buffer and the oversampler hold
    // only the announced block, so a longer one is processed in pieces of that size.
    int start = 0;

    do
    {
        const int length = std::min (preparedBlockSize, numSamples - start);
        processSection (buffer, numChannels, start, length);
        start += length;
    }
    while (start < numSamples);

    recoverFromNonFiniteState (buffer, numChannels);
}

void TheQuillmontAudioProcessor::processSection (juce::AudioBuffer<float>& buffer, int numChannels,
                                                 int startSample, int numSamples) noexcept
{
    for (int c = 0; c < numChannels; ++c)
        dryBuffer.copyFrom (c, 0, buffer, c, startSample, numSamples);

    juce::dsp::AudioBlock<float> block (buffer.getArrayOfWritePointers(), static_cast<size_t> (numChannels),
                                        static_cast<size_t> (startSample), static_cast<size_t> (numSamples));
    processDsp (juce::dsp::ProcessContextReplacing<float> (block));

    if (numChannels == 0 || numSamples == 0)
        return;

    mixDryAndWet (buffer, numChannels, startSample, numSamples);

    if (gateActive)
        applyNoiseGates (buffer, numChannels, startSample, numSamples);
}

void TheQuillmontAudioProcessor::processDsp (const juce::dsp::ProcessContextReplacing<float>& context)
{
    const int latency = hqActive ? roundToInt (static_cast<double> (oversampler->getLatencyInSamples())) : 0;

    if (latency != getLatencySamples())
        setLatencySamples (latency);

    const auto& input = context.getInputBlock();
    auto& output = context.getOutputBlock();

    if (output.getNumChannels() == 0 || output.getNumSamples() == 0)
        return;

    auto runModels = [this] (const juce::dsp::AudioBlock<const float>& in, juce::dsp::AudioBlock<float>& out)
    {
        const auto numSamples = in.getNumSamples();

        // Stereo runs both channels in the lanes of one register, at little more than the
        // cost of one.
        if (in.getNumChannels() == 2)
        {
            StereoCircuitModel::process (models[0], models[1], in.getChannelPointer (0), in.getChannelPointer (1),
                                         out.getChannelPointer (0), out.getChannelPointer (1), numSamples,
                                         inputGain, outputGain);
            return;
        }

        for (size_t c = 0; c < in.getNumChannels(); ++c)
        {
            auto& model = models[c];
            const float* source = in.getChannelPointer (c);
            float* destination = out.getChannelPointer (c);

            for (size_t i = 0; i < numSamples; ++i)
                destination[i] = model.processSample (source[i], inputGain, outputGain);
        }
    };

    if (hqActive)
    {
        // The oversampler holds two channels; a mono block uses the first only.
        auto upsampled = oversampler->processSamplesUp (input).getSubsetChannelBlock (0, input.getNumChannels());
        runModels (upsampled, upsampled);
        oversampler->processSamplesDown (output);
    }
    else
    {
        runModels (input, output);
    }
}

void TheQuillmontAudioProcessor::mixDryAndWet (juce::AudioBuffer<float>& buffer, int numChannels,
                                               int startSample, int numSamples) noexcept
{
    const float latency = hqActive ? oversampler->getLatencyInSamples() : 0.0f;

    float* wet[2] { buffer.getWritePointer (0, startSample),
                    numChannels > 1 ? buffer.getWritePointer (1, startSample) : nullptr };
    const float* dry[2] { dryBuffer.getReadPointer (0), dryBuffer.getReadPointer (1) };

    for (int n = 0; n < numSamples; ++n)
    {
        const float m = mixSmoother.next();
        const float q = powerSmoother.next();

        for (int c = 0; c < numChannels; ++c)
        {
            auto& line = dryDelayLines[static_cast<size_t> (c)];
            const float input = dry[c][n];
            const float delayed = hqActive ? line.read (latency) : input;
            line.write (input);

            const float mixed = wet[c][n] * m + delayed * (1.0f - m);
            wet[c][n] = mixed * q + delayed * (1.0f - q);
        }
    }
}

void TheQuillmontAudioProcessor::applyNoiseGates (juce::AudioBuffer<float>& buffer, int numChannels,
                                                  int startSample, int numSamples) noexcept
{
    if (numChannels == 2)
    {
        StereoNoiseGate::process (noiseGates[0], noiseGates[1], keyHighPass[0], keyHighPass[1],
                                  dryBuffer.getReadPointer (0), dryBuffer.getReadPointer (1),
                                  buffer.getWritePointer (0, startSample), buffer.getWritePointer (1, startSample),
                                  static_cast<size_t> (numSamples));
        return;
    }

    for (int c = 0; c < numChannels; ++c)
    {
        auto& key = keyHighPass[static_cast<size_t> (c)];
        auto& gate = noiseGates[static_cast<size_t> (c)];
        const float* dry = dryBuffer.getReadPointer (c);
        float* samples = buffer.getWritePointer (c, startSample);

        // Keyed by the undelayed input, high-passed so that low-frequency rumble cannot hold it open.
        for (int n = 0; n < numSamples; ++n)
            samples[n] = gate.processSample (key.processHighpass (dry[n]), samples[n]);
    }
}

void TheQuillmontAudioProcessor::recoverFromNonFiniteState (const juce::AudioBuffer<float>& buffer,
                                                            int numChannels) noexcept
{
    for (size_t c = 0; c < models.size(); ++c)
    {
        resetNonFiniteState (models[c]);
        resetNonFiniteState (noiseGates[c]);

        if (! std::isfinite (keyHighPass[c].state))
            keyHighPass[c].state = 0.0f;
    }

    // The oversampler's filters and the dry delay cannot be inspected cheaply, but anything
    // non-finite in them reaches the output, whatever mix, power and gate do with it.
    float probe = 0.0f;

    for (int c = 0; c < numChannels; ++c)
    {
        const float* samples = buffer.getReadPointer (c);

        for (int n = 0; n < buffer.getNumSamples(); ++n)
            probe += samples[n] * 0.0f;
    }

    if (std::isfinite (probe))
        return;

    oversampler->reset();

    for (auto& line : dryDelayLines)
        for (auto& sample : line.buffer)
            if (! std::isfinite (sample))
                sample = 0.0f;
}

//==============================================================================
void TheQuillmontAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const int inputs = getTotalNumInputChannels();
    const int outputs = std::min (getTotalNumOutputChannels(), buffer.getNumChannels());

    for (int channel = inputs; channel < outputs; ++channel)
        buffer.clear (channel, 0, buffer.getNumSamples());

    // While HQ is on the host delays every other track by our latency, so the bypassed signal
    // takes the dry path's delay too: the track keeps its place, and toggling bypass neither
    // shifts it nor clicks.
    if (! hqActive || firstPreparePending.load (std::memory_order_acquire) != 0)
        return;

    const bool stereo = inputs == 2 && getTotalNumOutputChannels() == 2;
    const int numChannels = std::min ({ stereo ? 2 : 1, inputs, buffer.getNumChannels() });
    const float latency = oversampler->getLatencyInSamples();

    for (int c = 0; c < numChannels; ++c)
    {
        auto& line = dryDelayLines[static_cast<size_t> (c)];
        float* samples = buffer.getWritePointer (c);

        for (int n = 0; n < buffer.getNumSamples(); ++n)
        {
            const float input = samples[n];
            samples[n] = line.read (latency);
            line.write (input);
        }
    }
}

void TheQuillmontAudioProcessor::reset()
{
    oversampler->reset();
}
