#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include "dsp/ClipperSweepBank.h"
#include "dsp/NoiseGate.h"
#include "dsp/OnePoleFilter.h"
#include "dsp/PedalCircuitModel.h"
#include "processor/DryDelayLine.h"
#include "processor/KV_NewFloatParameter.h"
#include "processor/QuillmontParameters.h"
#include "processor/Smoother.h"
#include "services/KV_NewsfeedProcessor.h"
#include "services/PluginSettings.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class TheQuillmontAudioProcessor : public juce::AudioProcessor
{
public:
    TheQuillmontAudioProcessor();
    ~TheQuillmontAudioProcessor() override;

    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    // The double-precision callbacks keep the framework's bodies.
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;

    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;
    void reset() override;
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    // Display name of the circuit the audio thread applied last; safe to call from any thread.
    juce::String getCircuitName() const;

    struct EditorSize
    {
        int width = 700;
        int height = 600;
    };

    // What a host restore writes and the editor reads. The host may restore on any thread while
    // the editor runs on the message thread, so each of these is safe to call from any thread
    // (none of them from the audio thread: the preset name is guarded by a lock).
    EditorSize getEditorSize() const noexcept;
    void setEditorSize (int width, int height) noexcept;
    juce::String getCurrentPresetName() const;
    void setCurrentPresetName (const juce::String& name);

    // The preset file the sound was last loaded from or saved to, by its full path; empty when
    // the sound came from elsewhere (the defaults, a host restore). Reset and Delete act on it,
    // and it outlives the window.
    juce::String getLoadedPresetFile() const;
    void setLoadedPresetFile (const juce::String& path);
    bool isParameterLocked (int parameterIndex) const noexcept;
    void setParameterLocked (int parameterIndex, bool locked) noexcept;

    KV_NewFloatParameter& parameter (QuillmontParameters::Index index) const noexcept
    {
        return *PluginParameterSet[static_cast<size_t> (index)];
    }

    // State and preset files, in PresetState.cpp.
    void savePresetToXml (juce::XmlElement& xml);
    void loadPresetFromXml (const juce::XmlElement& xml);
    // False, with nothing changed, for a file that cannot be read as one of our presets.
    bool loadPresetFile (const juce::File& file);

    PluginSettings settings;

    float currentPresetIndex = 0.0f;
    std::atomic<std::uint8_t> firstPreparePending { 1 };
    std::atomic<std::uint8_t> stateLoadedBeforePrepare { 0 };
    juce::String productTag;

    // Not owning: the framework base owns the parameters.
    std::array<KV_NewFloatParameter*, QuillmontParameters::count> PluginParameterSet {};

    std::atomic<int> currentCircuitIndex { 0 };
    int appliedCircuitIndex = -1;

    // What the parameter update derives for the DSP; the smoothers' targets are the power and
    // mix targets.
    float inputGain = 1.0f;
    float outputGain = 1.0f;
    bool gateActive = false;
    Smoother mixSmoother;
    Smoother powerSmoother;

    // Points at one of the circuit model's constant names, so replacing it on the audio thread
    // neither allocates nor can be read half-written.
    std::atomic<const char*> circuitName { "" };
    std::atomic<std::uint8_t> circuitChanged { 0 };

    juce::AudioBuffer<float> dryBuffer;
    std::array<DryDelayLine, 2> dryDelayLines;
    double hostSampleRate = 44100.0;
    std::uint8_t excludeSizeAndHQ = 0;

    // Raised by every parameter write (release), taken by the audio thread's update (acquire).
    std::atomic<std::uint8_t> parametersChanged { 1 };

    // Millisecond counter at the last host restore, -1 until the host restores a state. The host
    // may restore on any thread while the editor loads a preset on the message thread.
    std::atomic<juce::int64> stateRestoreTime { -1 };

    // The clock of the restore window: the framework's millisecond counter. Tests set their own
    // before the processor is used on more than one thread.
    std::function<juce::uint32()> restoreWindowClock { [] { return juce::Time::getMillisecondCounter(); } };

    int versionMajor = 0;
    int versionMinor = 0;
    int versionRevision = 0;

    // Every clipper table both models may need at the host rate and twice it, so that circuit
    // changes and HQ switches on the audio thread only copy.
    ClipperSweepBank clipperTables;
    std::array<PedalCircuitModel, 2> models;
    std::array<NoiseGate, 2> noiseGates;
    std::array<OnePoleFilter, 2> keyHighPass;

    std::unique_ptr<juce::dsp::Oversampling<float>> oversampler;
    bool hqActive = false;

    korvanth::KV_NewsfeedProcessor newsProcessor;
    bool newsEnabled = true;

    // Host-rate block size of the last prepare: the dry buffer's and the oversampler's capacity.
    int preparedBlockSize = 0;

    void updateParameters();
    void prepareDsp (double rate);
    void processDsp (const juce::dsp::ProcessContextReplacing<float>& context);

private:
    juce::CriticalSection presetNameLock;
    juce::String currentPresetName;
    juce::String loadedPresetFile;
    std::atomic<EditorSize> editorSize { EditorSize {} };
    static_assert (std::atomic<EditorSize>::is_always_lock_free);

    // Non-zero: the parameter keeps its value when a preset or a state is loaded.
    std::array<std::atomic<std::uint8_t>, 100> parameterLocks {};

    void createParameters();
    void loadStartupPreset();
    void applyGain (PedalCircuitModel& model, float gainPosition) noexcept;
    void processSection (juce::AudioBuffer<float>& buffer, int numChannels, int startSample, int numSamples) noexcept;
    void mixDryAndWet (juce::AudioBuffer<float>& buffer, int numChannels, int startSample, int numSamples) noexcept;
    void applyNoiseGates (juce::AudioBuffer<float>& buffer, int numChannels, int startSample, int numSamples) noexcept;
    void recoverFromNonFiniteState (const juce::AudioBuffer<float>& buffer, int numChannels) noexcept;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TheQuillmontAudioProcessor)
};
