// The tremolo effect: a gate that alternates a closed phase (gain `depth`)
// with an open phase at full level entered and left through short ramps,
// each phase half of a period that glides between the Speed and Maximum
// Speed settings.
//
// Threads: the audio thread runs processReplacing (and through it
// nextPeriod); setParameter, setProgram and the text operations run on the
// host's other threads. The values both sides touch are relaxed atomics, each
// written whole; the gate and sweep state belongs to the audio thread alone.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/program_name_bank.h"
#include "engine/ramp_gains.h"
#include "engine/random_generator.h"
#include "host/audioeffectx.h"

// Parameter indexes; the editor's control tags use the same numbers.
enum OscindaParameter : VstInt32 {
    kDepthParam = 0,
    kSpeedParam,
    kMaxSpeedParam,
    kChangeRateParam,
    kRandomParam,
    kPingPongParam,
    kNumOscindaParams
};

constexpr VstInt32 kNumOscindaPrograms = 16;
// What an unnamed program stores; hosts read it as "Init 1" to "Init 16".
constexpr char kUnnamedProgramName[] = "Init";

// One program of the bank. Speed and Maximum Speed are kept as requested
// (after the 0.05 s floor), which may differ from what the ordering rule let
// into the engine.
struct ProgramRecord {
    std::atomic<float> speed{0.5f};
    std::atomic<float> maxSpeed{0.8f};
    std::atomic<float> depth{0.25f};
    std::atomic<float> changeRate{1.0f};
    std::atomic<float> random{0.0f};  // exactly 1.0 or 0.0
};

class ADelay : public AudioEffectX {
public:
    // Allocates and constructs one effect; null when memory for the effect or
    // its program bank cannot be had. Never throws.
    static ADelay* create(audioMasterCallback hostCallback);

    explicit ADelay(audioMasterCallback hostCallback);
    ~ADelay() override;
    ADelay(const ADelay&) = delete;
    ADelay& operator=(const ADelay&) = delete;

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterName(VstInt32 index, char* text) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;

    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;
    VstInt32 getVstVersion() override;
    VstInt32 getPlugCategory() override;

private:
    // Rate sweep: the period (seconds) for the phase that begins now, between
    // fastPeriod and slowPeriod; advances the sweep by that phase's length.
    float nextPeriod(float slowPeriod, float fastPeriod);
    // Gate: ends the current phase and starts the next one.
    void beginPhase(bool closed);

    // Parameter values, written by setParameter, read by the audio thread.
    std::atomic<float> depth{0.0f};     // gain of the closed phase
    std::atomic<float> speed{0.0f};     // slow end of the sweep, period in seconds
    std::atomic<float> maxSpeed{0.0f};  // fast end of the sweep, period in seconds
    std::atomic<float> changeRate{0.0f};
    std::atomic<float> changeTime{10.0f};  // seconds per change before random shortening
    std::atomic<bool> randomChange{false};

    ProgramRecord* programs = nullptr;  // kNumOscindaPrograms records
    // The programs' names: host threads only, never the audio thread.
    ProgramNameBank<kNumOscindaPrograms> programNames{kUnnamedProgramName};

    // Gate state (audio thread).
    bool closedPhase = true;
    VstInt32 halfPeriodLeft = 0;  // samples left in the current phase
    VstInt32 rampUpCount = 20;
    VstInt32 rampDownCount = 1;
    RampGains rampGains;  // the ramps' gains at the Depth last used

    // Sweep state (audio thread).
    VstInt32 changeLength = 0;    // samples in the current change, at least 1
    VstInt32 changePosition = 0;  // half-periods scheduled since the change began
    bool sweepRising = true;      // true: the period rises from maxSpeed toward speed
    RandomGenerator randomGenerator;

    friend class ADelayProbe;
};
