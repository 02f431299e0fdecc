#include "tools/oscinda-host/render.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "tools/oscinda-host/audio_file.h"
#include "tools/oscinda-host/envelope.h"
#include "tools/oscinda-host/file_paths.h"
#include "tools/oscinda-host/host_callback.h"
#include "tools/oscinda-host/pending_file.h"
#include "tools/oscinda-host/plot.h"
#include "tools/oscinda-host/plugin.h"
#include "tools/oscinda-host/progress.h"
#include "tools/oscinda-host/tool_error.h"

namespace {

struct ResolvedAutomation {
    VstInt32 index;
    const AutomationCurve* curve;
    float lastSent;
    bool sent;
};

// Planar channel buffers with the pointer array the plug-in is handed. Never
// an empty pointer array: a plug-in with no inputs still gets a valid one.
class ChannelBuffers {
public:
    ChannelBuffers(int channels, int frames)
        : data_(static_cast<std::size_t>(std::max(channels, 1)), std::vector<float>(static_cast<std::size_t>(frames))) {
        for (std::vector<float>& channel : data_) pointers_.push_back(channel.data());
    }
    float** pointers() { return pointers_.data(); }
    float* channel(int index) { return pointers_[static_cast<std::size_t>(index)]; }

private:
    std::vector<std::vector<float>> data_;
    std::vector<float*> pointers_;
};

// The mean of the file's channels: full-scale input stays at full scale.
void mixDown(const float* interleaved, int fileChannels, int frames, float* target) {
    const float scale = 1.0f / static_cast<float>(fileChannels);
    for (int i = 0; i < frames; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < fileChannels; ++c) sum += interleaved[i * fileChannels + c];
        target[i] = sum * scale;
    }
}

// How file channels feed plug-in inputs.
void fillInputs(const float* interleaved, int fileChannels, int frames, int chosenChannel, int inputs,
                ChannelBuffers& buffers) {
    for (int input = 0; input < inputs; ++input) {
        float* target = buffers.channel(input);
        if (chosenChannel > 0) {
            for (int i = 0; i < frames; ++i) target[i] = interleaved[i * fileChannels + chosenChannel - 1];
        } else if (fileChannels > inputs) {
            mixDown(interleaved, fileChannels, frames, target);
        } else {
            // As many or fewer file channels: each input takes its own, and
            // extra inputs repeat them (a mono file feeds every input).
            const int source = input % fileChannels;
            for (int i = 0; i < frames; ++i) target[i] = interleaved[i * fileChannels + source];
        }
    }
}

// effMainsChanged off and effStopProcess on every way out once processing began.
class Processing {
public:
    explicit Processing(Plugin& plugin) : plugin_(plugin) {
        plugin_.dispatch(effMainsChanged, 0, 1);
        plugin_.dispatch(effStartProcess);
    }
    ~Processing() {
        plugin_.dispatch(effStopProcess);
        plugin_.dispatch(effMainsChanged, 0, 0);
    }
    Processing(const Processing&) = delete;
    Processing& operator=(const Processing&) = delete;

private:
    Plugin& plugin_;
};

}  // namespace

void runRender(const RenderOptions& options) {
    AudioReader reader(options.input);
    checkDistinctFiles(options.input, options.output, "output");
    if (!options.plot.empty()) {
        checkDistinctFiles(options.input, options.plot, "picture");
        if (sameFile(options.output, options.plot))
            throw ToolError("the picture and the output are the same file '" + options.plot + "'");
    }

    Plugin plugin(options.plugin);
    plugin.checkChannelCounts();
    const int inputs = plugin.numInputs();
    const int outputs = plugin.numOutputs();
    const int fileChannels = reader.channels();
    const int sampleRate = reader.sampleRate();
    if (options.channel > fileChannels)
        throw ToolError("--channel " + std::to_string(options.channel) + ": '" + options.input + "' has only " +
                        std::to_string(fileChannels) + (fileChannels == 1 ? " channel" : " channels"));
    if (options.program >= plugin.numPrograms())
        throw ToolError("program " + std::to_string(options.program) + " is out of range (plug-in has " +
                        std::to_string(plugin.numPrograms()) + " programs" +
                        (plugin.numPrograms() > 0 ? ": 0.." + std::to_string(plugin.numPrograms() - 1) : "") + ")");
    std::vector<VstInt32> settingIndices;
    for (const ParameterSetting& setting : options.settings)
        settingIndices.push_back(plugin.findParameter(setting.parameter));
    std::vector<ResolvedAutomation> automations;
    for (const AutomationCurve& curve : options.automations)
        automations.push_back({plugin.findParameter(curve.parameter), &curve, 0.0f, false});
    const int format = outputFormat(reader.format(), outputs, sampleRate, options.format, options.formatRequested);

    const int block = options.blockSize;
    hostState().sampleRate = static_cast<float>(sampleRate);
    hostState().blockSize = block;
    hostState().ioChanged = false;
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    plugin.dispatch(effSetBlockSize, 0, block);
    if (options.program >= 0) plugin.setProgram(options.program);
    for (std::size_t i = 0; i < options.settings.size(); ++i)
        plugin.setParameter(settingIndices[i], static_cast<float>(options.settings[i].value));
    // Settings may change the plug-in's shape; read it again before sizing.
    plugin.checkChannelCounts();
    if (plugin.numInputs() != inputs || plugin.numOutputs() != outputs)
        throw ToolError("plug-in changed its inputs or outputs while being set up");

    PendingFile output(options.output);
    AudioWriter writer(output.takeDescriptor(), options.output, format, sampleRate, outputs);
    std::unique_ptr<PendingFile> picture;
    if (!options.plot.empty()) picture = std::make_unique<PendingFile>(options.plot);

    const sf_count_t inputFrames = reader.frames() > 0 ? reader.frames() : 0;
    const auto tailFrames = static_cast<sf_count_t>(std::llround(options.tailSeconds * sampleRate));
    const std::int64_t window = EnvelopeTracker::windowFor(
        inputFrames + tailFrames > 0 ? inputFrames + tailFrames : sf_count_t{sampleRate} * 10, sampleRate);
    EnvelopeTracker inputEnvelope(1, window);
    EnvelopeTracker outputEnvelope(outputs, window);

    std::vector<float> fileBlock(static_cast<std::size_t>(block) * static_cast<std::size_t>(fileChannels));
    std::vector<float> outBlock(static_cast<std::size_t>(block) * static_cast<std::size_t>(outputs));
    std::vector<float> mono(static_cast<std::size_t>(block));
    ChannelBuffers in(inputs, block);
    ChannelBuffers out(outputs, block);
    Progress progress(Progress::wanted(options.quiet), reader.frames() > 0 ? inputFrames + tailFrames : 0, "rendering");

    {
        Processing processing(plugin);
        sf_count_t done = 0;
        sf_count_t tailLeft = tailFrames;
        bool inputEnded = false;
        while (true) {
            sf_count_t frames = 0;
            if (!inputEnded) {
                frames = reader.read(fileBlock.data(), block);
                if (frames < block) inputEnded = true;
            }
            if (frames < block && tailLeft > 0) {
                // Silence after the input, for as long as the tail asks.
                const sf_count_t extra = std::min<sf_count_t>(block - frames, tailLeft);
                std::fill(fileBlock.begin() + frames * fileChannels,
                          fileBlock.begin() + (frames + extra) * fileChannels, 0.0f);
                frames += extra;
                tailLeft -= extra;
            }
            if (frames == 0) break;
            const auto count = static_cast<int>(frames);

            const double seconds = static_cast<double>(done) / sampleRate;
            for (ResolvedAutomation& automation : automations) {
                const auto value = static_cast<float>(automation.curve->valueAt(seconds));
                if (!automation.sent || value != automation.lastSent) {
                    plugin.setParameter(automation.index, value);
                    automation.lastSent = value;
                    automation.sent = true;
                }
            }

            fillInputs(fileBlock.data(), fileChannels, count, options.channel, inputs, in);
            plugin.process(in.pointers(), out.pointers(), count);
            if (hostState().ioChanged && (plugin.numInputs() != inputs || plugin.numOutputs() != outputs))
                throw ToolError("plug-in changed its inputs or outputs while rendering");

            for (int c = 0; c < outputs; ++c) {
                const float* channel = out.channel(c);
                for (int i = 0; i < count; ++i) outBlock[static_cast<std::size_t>(i * outputs + c)] = channel[i];
            }
            writer.write(outBlock.data(), frames);

            if (picture) {
                // The input as a person hears it: the file's channels mixed.
                mixDown(fileBlock.data(), fileChannels, count, mono.data());
                const float* monoChannel = mono.data();
                inputEnvelope.addPlanar(&monoChannel, frames);
                outputEnvelope.addPlanar(out.pointers(), frames);
            }
            done += frames;
            progress.update(done);
        }
    }
    writer.finish();
    progress.finish();

    if (picture) {
        inputEnvelope.finish();
        outputEnvelope.finish();
        std::vector<PlotTrack> tracks{{"input", inputEnvelope.peaks(0)}};
        for (int c = 0; c < outputs; ++c)
            tracks.push_back({"output " + std::to_string(c + 1), outputEnvelope.peaks(c)});
        drawEnvelopes(tracks, 0.0, static_cast<double>(window) / sampleRate, envelopeTitle(options.output),
                      picture->temporaryPath());
        picture->commit();
    }
    output.commit();
}
