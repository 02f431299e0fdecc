#include "tools/oscinda-host/render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "tools/oscinda-host/audio_file.h"
#include "tools/oscinda-host/channel_routing.h"
#include "tools/oscinda-host/envelope.h"
#include "tools/oscinda-host/file_paths.h"
#include "tools/oscinda-host/host_callback.h"
#include "tools/oscinda-host/pending_file.h"
#include "tools/oscinda-host/plot.h"
#include "tools/oscinda-host/plugin.h"
#include "tools/oscinda-host/progress.h"
#include "tools/oscinda-host/tool_error.h"

namespace {

// Frames per read and per write of the audio files: large enough that the
// system calls and libsndfile's per-call work vanish against the copying,
// small enough to stay in the processor's caches; fewer for files of many
// channels, so a buffer stays within 4 MB. A whole number of the plug-in's
// blocks, so the blocks fall where they would without chunks.
constexpr int kChunkFrames = 1 << 16;
constexpr int kChunkSamples = 1 << 20;

int chunkFrames(int blockSize, int channels) {
    const int frames = std::min(kChunkFrames, kChunkSamples / std::max(channels, 1));
    return blockSize >= frames ? blockSize : frames / blockSize * blockSize;
}

struct ResolvedSetting {
    VstInt32 index;
    float value;
};

struct ResolvedAutomation {
    VstInt32 index;
    const AutomationCurve* curve;
    float lastSent;
    bool sent;
};

// The command line resolved against the input file and the loaded plug-in:
// all a render needs, checked before anything is written.
struct RenderPlan {
    int inputs = 0;
    int outputs = 0;
    int fileChannels = 0;
    int sampleRate = 0;
    int format = 0;  // of the output file
    std::vector<ResolvedSetting> settings;
    std::vector<ResolvedAutomation> automations;
    sf_count_t inputFrames = 0;  // 0: the file does not say
    sf_count_t tailFrames = 0;

    // Frames to process, for the progress bar; 0 when unknown.
    sf_count_t knownTotal() const { return inputFrames > 0 ? inputFrames + tailFrames : 0; }
};

// Refuses outputs that would overwrite the input, a directory or each other.
void checkOutputPaths(const RenderOptions& options) {
    checkDistinctFiles(options.input, options.output, "output");
    if (options.plot.empty()) return;
    checkDistinctFiles(options.input, options.plot, "picture");
    if (sameFile(options.output, options.plot))
        throw ToolError("the picture and the output are the same file '" + options.plot + "'");
}

RenderPlan resolve(const RenderOptions& options, const AudioReader& reader, Plugin& plugin) {
    plugin.checkChannelCounts();
    RenderPlan plan;
    plan.inputs = plugin.numInputs();
    plan.outputs = plugin.numOutputs();
    plan.fileChannels = reader.channels();
    plan.sampleRate = reader.sampleRate();
    if (options.channel > plan.fileChannels)
        throw ToolError("--channel " + std::to_string(options.channel) + ": '" + options.input + "' has only " +
                        std::to_string(plan.fileChannels) + (plan.fileChannels == 1 ? " channel" : " channels"));
    const VstInt32 programs = plugin.numPrograms();
    if (options.program >= programs)
        throw ToolError("program " + std::to_string(options.program) + " is out of range (plug-in has " +
                        std::to_string(programs) + " programs" +
                        (programs > 0 ? ": 0.." + std::to_string(programs - 1) : "") + ")");
    for (const ParameterSetting& setting : options.settings)
        plan.settings.push_back({plugin.findParameter(setting.parameter), static_cast<float>(setting.value)});
    for (const AutomationCurve& curve : options.automations)
        plan.automations.push_back({plugin.findParameter(curve.parameter), &curve, 0.0f, false});
    plan.format = outputFormat(reader.format(), plan.outputs, plan.sampleRate, options.format, options.formatRequested);
    plan.inputFrames = reader.frames() > 0 ? reader.frames() : 0;
    plan.tailFrames = static_cast<sf_count_t>(std::llround(options.tailSeconds * plan.sampleRate));
    return plan;
}

// Tells the plug-in how it will run, then applies the program and settings.
void prepare(const RenderOptions& options, const RenderPlan& plan, Plugin& plugin) {
    hostState().sampleRate = static_cast<float>(plan.sampleRate);
    hostState().blockSize = options.blockSize;
    hostState().ioChanged = false;
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(plan.sampleRate));
    plugin.dispatch(effSetBlockSize, 0, options.blockSize);
    if (options.program >= 0) plugin.setProgram(options.program);
    for (const ResolvedSetting& setting : plan.settings) plugin.setParameter(setting.index, setting.value);
    // Settings may change the plug-in's shape; read it again before sizing.
    plugin.checkChannelCounts();
    if (plugin.numInputs() != plan.inputs || plugin.numOutputs() != plan.outputs)
        throw ToolError("plug-in changed its inputs or outputs while being set up");
}

// The files a render writes, pending until commit(), and the envelopes the
// picture is drawn from.
class RenderOutput {
public:
    RenderOutput(const RenderOptions& options, const RenderPlan& plan)
        : path_(options.output),
          outputs_(plan.outputs),
          fileChannels_(plan.fileChannels),
          sampleRate_(plan.sampleRate),
          file_(options.output),
          writer_(file_.takeDescriptor(), options.output, plan.format, plan.sampleRate, plan.outputs),
          picture_(options.plot.empty() ? nullptr : std::make_unique<PendingFile>(options.plot)),
          window_(EnvelopeTracker::windowFor(plan.inputFrames + plan.tailFrames > 0 ? plan.inputFrames + plan.tailFrames
                                                                                    : sf_count_t{plan.sampleRate} * 10,
                                             plan.sampleRate)),
          inputEnvelope_(1, window_),
          outputEnvelope_(plan.outputs, window_),
          chunkFrames_(chunkFrames(options.blockSize, plan.outputs)),
          interleaved_(static_cast<std::size_t>(chunkFrames_) * static_cast<std::size_t>(plan.outputs)),
          mono_(static_cast<std::size_t>(options.blockSize)) {}

    // One processed block: the file frames that went in and the plug-in's
    // planar outputs. Goes to the file a chunk at a time.
    void write(const float* fileFrames, float* const* channels, int frames) {
        if (pending_ + frames > chunkFrames_) flush();
        interleave(channels, outputs_, frames, interleaved_.data() + static_cast<std::size_t>(pending_) * outputs_);
        pending_ += frames;
        if (!picture_) return;
        // The input as a person hears it: the file's channels mixed.
        mixDown(fileFrames, fileChannels_, frames, mono_.data());
        const float* monoChannel = mono_.data();
        inputEnvelope_.addPlanar(&monoChannel, frames);
        outputEnvelope_.addPlanar(channels, frames);
    }

    void closeAudio() {
        flush();
        writer_.finish();
    }

    void drawPicture() {
        if (!picture_) return;
        inputEnvelope_.finish();
        outputEnvelope_.finish();
        std::vector<PlotTrack> tracks{{"input", inputEnvelope_.peaks(0)}};
        for (int c = 0; c < outputs_; ++c)
            tracks.push_back({"output " + std::to_string(c + 1), outputEnvelope_.peaks(c)});
        drawEnvelopes(tracks, 0.0, static_cast<double>(window_) / sampleRate_, envelopeTitle(path_),
                      picture_->temporaryPath());
    }

    void commit() {
        if (picture_) picture_->commit();
        file_.commit();
    }

private:
    void flush() {
        if (pending_ > 0) writer_.write(interleaved_.data(), pending_);
        pending_ = 0;
    }

    std::string path_;
    int outputs_;
    int fileChannels_;
    int sampleRate_;
    PendingFile file_;
    AudioWriter writer_;
    std::unique_ptr<PendingFile> picture_;
    std::int64_t window_;
    EnvelopeTracker inputEnvelope_;
    EnvelopeTracker outputEnvelope_;
    int chunkFrames_;
    int pending_ = 0;  // frames in interleaved_ not yet written
    std::vector<float> interleaved_;
    std::vector<float> mono_;
};

// The input file, then as much silence as the tail asks for, cut into the
// plug-in's blocks; read a chunk of whole blocks at a time.
class InputBlocks {
public:
    InputBlocks(AudioReader& reader, int fileChannels, int blockSize, sf_count_t tailFrames)
        : reader_(reader),
          fileChannels_(fileChannels),
          block_(blockSize),
          chunk_(chunkFrames(blockSize, fileChannels)),
          tailLeft_(tailFrames),
          frames_(static_cast<std::size_t>(chunk_) * static_cast<std::size_t>(fileChannels)) {}

    // Moves frames() to the next block; returns its length, 0 at the end.
    sf_count_t next() {
        if (position_ == filled_) refill();
        const sf_count_t count = std::min<sf_count_t>(block_, filled_ - position_);
        current_ = frames_.data() + position_ * fileChannels_;
        position_ += count;
        return count;
    }

    const float* frames() const { return current_; }

private:
    void refill() {
        position_ = 0;
        filled_ = 0;
        if (!inputEnded_) {
            filled_ = reader_.read(frames_.data(), chunk_);
            if (filled_ < chunk_) inputEnded_ = true;
        }
        if (filled_ < chunk_ && tailLeft_ > 0) {
            const sf_count_t extra = std::min<sf_count_t>(chunk_ - filled_, tailLeft_);
            std::fill(frames_.begin() + filled_ * fileChannels_, frames_.begin() + (filled_ + extra) * fileChannels_,
                      0.0f);
            filled_ += extra;
            tailLeft_ -= extra;
        }
    }

    AudioReader& reader_;
    int fileChannels_;
    int block_;
    int chunk_;
    sf_count_t tailLeft_;
    bool inputEnded_ = false;
    sf_count_t filled_ = 0;    // frames in the chunk
    sf_count_t position_ = 0;  // frames of it handed out
    std::vector<float> frames_;
    const float* current_ = nullptr;
};

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

// Automation is sampled at the start of each block and sent only when it moved.
void sendAutomation(std::vector<ResolvedAutomation>& automations, Plugin& plugin, double seconds) {
    for (ResolvedAutomation& automation : automations) {
        const auto value = static_cast<float>(automation.curve->valueAt(seconds));
        if (automation.sent && value == automation.lastSent) continue;
        plugin.setParameter(automation.index, value);
        automation.lastSent = value;
        automation.sent = true;
    }
}

void process(const RenderOptions& options, RenderPlan& plan, AudioReader& reader, Plugin& plugin, RenderOutput& output,
             Progress& progress) {
    InputBlocks input(reader, plan.fileChannels, options.blockSize, plan.tailFrames);
    ChannelBuffers in(plan.inputs, options.blockSize);
    ChannelBuffers out(plan.outputs, options.blockSize);
    Processing processing(plugin);
    sf_count_t done = 0;
    while (const sf_count_t frames = input.next()) {
        const auto count = static_cast<int>(frames);
        sendAutomation(plan.automations, plugin, static_cast<double>(done) / plan.sampleRate);
        fillInputs(input.frames(), plan.fileChannels, count, options.channel, plan.inputs, in);
        plugin.process(in.pointers(), out.pointers(), count);
        if (hostState().ioChanged && (plugin.numInputs() != plan.inputs || plugin.numOutputs() != plan.outputs))
            throw ToolError("plug-in changed its inputs or outputs while rendering");
        output.write(input.frames(), out.pointers(), count);
        done += frames;
        progress.update(done);
    }
}

// The files appear only now, the picture before the audio.
void finish(RenderOutput& output, Progress& progress) {
    output.closeAudio();
    progress.finish();
    output.drawPicture();
    output.commit();
}

}  // namespace

void runRender(const RenderOptions& options) {
    AudioReader reader(options.input);
    checkOutputPaths(options);
    Plugin plugin(options.plugin);
    RenderPlan plan = resolve(options, reader, plugin);
    prepare(options, plan, plugin);
    RenderOutput output(options, plan);
    Progress progress(Progress::wanted(options.quiet), plan.knownTotal(), "rendering");
    process(options, plan, reader, plugin, output, progress);
    finish(output, progress);
}
