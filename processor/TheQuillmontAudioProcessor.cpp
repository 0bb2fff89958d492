#include "processor/TheQuillmontAudioProcessor.h"

#include "editor/TheQuillmontAudioProcessorEditor.h"
#include "editor/WindowManagerAtoms.h"

TheQuillmontAudioProcessor::TheQuillmontAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    oversampler = std::make_unique<juce::dsp::Oversampling<float>> (
        2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, false, false);

    createParameters();

    for (auto& model : models)
        model.sweepBank = &clipperTables;

    for (auto& lock : parameterLocks)
        lock.store (0, std::memory_order_relaxed);

    firstPreparePending = 1;
    stateLoadedBeforePrepare = 0;

    for (auto* p : getParameters())
    {
        const auto v = p->getDefaultValue();
        p->setValue (v);
        p->sendValueChangedMessageToListeners (v);
    }

    settings.loadPluginSettings();
    loadStartupPreset();

    currentPresetIndex = 0.0f;
    productTag = "KVNPLG12G";

    // A user who switched the feed off gets no request from any instance, host scans included,
    // and no bell.
    newsEnabled = settings.newsfeedDisabled == 0;

    // The news cache lives in the settings folder.
    if (newsEnabled)
        newsProcessor.start (settings.settingsPath + "newsfeed.xml", productTag);
}

TheQuillmontAudioProcessor::~TheQuillmontAudioProcessor()
{
    newsProcessor.stop();
    oversampler.reset();
}

void TheQuillmontAudioProcessor::createParameters()
{
    for (size_t i = 0; i < QuillmontParameters::definitions.size(); ++i)
    {
        const auto& d = QuillmontParameters::definitions[i];
        auto parameter = std::make_unique<KV_NewFloatParameter> (
            this, d.paramID, d.name, juce::NormalisableRange<float> (d.start, d.end), d.label, d.defaultValue);
        PluginParameterSet[i] = parameter.get();
        addParameter (parameter.release());
    }
}

TheQuillmontAudioProcessor::EditorSize TheQuillmontAudioProcessor::getEditorSize() const noexcept
{
    return editorSize.load (std::memory_order_relaxed);
}

void TheQuillmontAudioProcessor::setEditorSize (int width, int height) noexcept
{
    editorSize.store ({ width, height }, std::memory_order_relaxed);
}

juce::String TheQuillmontAudioProcessor::getCurrentPresetName() const
{
    const juce::ScopedLock sl (presetNameLock);
    return currentPresetName;
}

void TheQuillmontAudioProcessor::setCurrentPresetName (const juce::String& name)
{
    const juce::ScopedLock sl (presetNameLock);
    currentPresetName = name;
}

juce::String TheQuillmontAudioProcessor::getLoadedPresetFile() const
{
    const juce::ScopedLock sl (presetNameLock);
    return loadedPresetFile;
}

void TheQuillmontAudioProcessor::setLoadedPresetFile (const juce::String& path)
{
    const juce::ScopedLock sl (presetNameLock);
    loadedPresetFile = path;
}

bool TheQuillmontAudioProcessor::isParameterLocked (int parameterIndex) const noexcept
{
    if (! juce::isPositiveAndBelow (parameterIndex, (int) parameterLocks.size()))
        return false;

    return parameterLocks[(size_t) parameterIndex].load (std::memory_order_relaxed) != 0;
}

void TheQuillmontAudioProcessor::setParameterLocked (int parameterIndex, bool locked) noexcept
{
    if (juce::isPositiveAndBelow (parameterIndex, (int) parameterLocks.size()))
        parameterLocks[(size_t) parameterIndex].store (locked ? 1 : 0, std::memory_order_relaxed);
}

juce::String TheQuillmontAudioProcessor::getCircuitName() const
{
    return juce::String (circuitName.load (std::memory_order_acquire));
}

const juce::String TheQuillmontAudioProcessor::getName() const
{
    return "The Quillmont";
}

void TheQuillmontAudioProcessor::releaseResources()
{
}

double TheQuillmontAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool TheQuillmontAudioProcessor::acceptsMidi() const { return false; }
bool TheQuillmontAudioProcessor::producesMidi() const { return false; }
bool TheQuillmontAudioProcessor::isMidiEffect() const { return false; }

juce::AudioProcessorEditor* TheQuillmontAudioProcessor::createEditor()
{
    // Every window of the plug-in belongs to an editor, and the editor's members open some of
    // them before its constructor's body runs.
    ensureWindowManagerAtoms();
    return new TheQuillmontAudioProcessorEditor (*this);
}

bool TheQuillmontAudioProcessor::hasEditor() const { return true; }
int TheQuillmontAudioProcessor::getNumPrograms() { return 1; }
int TheQuillmontAudioProcessor::getCurrentProgram() { return 0; }
void TheQuillmontAudioProcessor::setCurrentProgram (int) {}
const juce::String TheQuillmontAudioProcessor::getProgramName (int) { return {}; }
void TheQuillmontAudioProcessor::changeProgramName (int, const juce::String&) {}

bool TheQuillmontAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto out = layouts.getMainOutputChannelSet();

    if (out != juce::AudioChannelSet::mono() && out != juce::AudioChannelSet::stereo())
        return false;

    return layouts.getMainInputChannelSet() == out;
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TheQuillmontAudioProcessor();
}
