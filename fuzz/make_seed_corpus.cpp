// Writes the fuzz target's seed corpus: a few short host sessions, each
// reaching one part of the plug-in, in the operation format FuzzInput reads.
//   make_seed_corpus DIRECTORY
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/host_operation.h"
#include "host/aeffect.h"

namespace {

using namespace fuzz_encoding;

// The inverse of FuzzInput: values always in an encoding that gives them back
// exactly.
class SessionWriter {
public:
    void byte(std::uint8_t value) { bytes.push_back(value); }
    void operation(HostOperation value) { byte(static_cast<std::uint8_t>(value)); }
    void uint16(std::uint16_t value) {
        byte(static_cast<std::uint8_t>(value & 0xFF));
        byte(static_cast<std::uint8_t>(value >> 8));
    }
    void int32(std::int32_t value) {
        if (value >= -kSmallIntOffset && value < kFirstSpecialSelector - kSmallIntOffset) {
            byte(static_cast<std::uint8_t>(value + kSmallIntOffset));
            return;
        }
        byte(kFirstRawSelector);
        raw(static_cast<std::uint32_t>(value), 4);
    }
    void intptr(std::int64_t value) {
        if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
            int32(static_cast<std::int32_t>(value));
            return;
        }
        byte(kFirstWideRawSelector);
        raw(static_cast<std::uint64_t>(value), 8);
    }
    void real(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        byte(kFirstRawSelector);
        raw(bits, 4);
    }
    void coordinate(int value) {
        if (value >= -kCoordinateOffset && value < kCoordinateSpan - kCoordinateOffset) {
            uint16(static_cast<std::uint16_t>(value + kCoordinateOffset));
            return;
        }
        uint16(kFirstRawCoordinate);
        uint16(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    }
    void text(const std::string& value) {
        byte(static_cast<std::uint8_t>(value.size()));
        for (char character : value) byte(static_cast<std::uint8_t>(character));
    }

    // Operations with their operands.
    void dispatch(VstInt32 opcode, VstInt32 index = 0, std::int64_t value = 0, float opt = 0.0f,
                  const std::string& passedText = std::string()) {
        operation(HostOperation::kDispatch);
        int32(opcode);
        int32(index);
        intptr(value);
        real(opt);
        byte(0);  // the pointer a host passes
        if (opcode == effSetProgramName || opcode == effString2Parameter || opcode == effCanDo || opcode == effSetChunk)
            text(passedText);
    }
    void setParameter(VstInt32 index, float value) {
        operation(HostOperation::kSetParameter);
        int32(index);
        real(value);
    }
    void setProgram(std::int64_t program) {
        operation(HostOperation::kSetProgram);
        intptr(program);
    }
    void setSampleRate(float rate) {
        operation(HostOperation::kSetSampleRate);
        real(rate);
    }
    void setBlockSize(std::int64_t size) {
        operation(HostOperation::kSetBlockSize);
        intptr(size);
    }
    void mainsChanged(bool on) {
        operation(HostOperation::kMainsChanged);
        byte(on ? 1 : 0);
    }
    void process(std::uint16_t frames, ProcessLayout layout = ProcessLayout::kSeparate,
                 SignalShape shape = SignalShape::kNoise, float amplitude = 1.0f, float special = 0.0f,
                 std::uint16_t position = 0) {
        operation(HostOperation::kProcess);
        uint16(frames);
        byte(static_cast<std::uint8_t>(layout));
        byte(static_cast<std::uint8_t>(shape));
        real(amplitude);
        byte(static_cast<std::uint8_t>(frames * 7));  // noise seed
        real(special);
        uint16(position);
    }
    void mouse(HostOperation which, int x, int y, std::uint8_t buttons = 1) {
        operation(which);
        coordinate(x);
        coordinate(y);
        byte(buttons);
    }
    void wheel(int x, int y, float distance) {
        operation(HostOperation::kWheel);
        coordinate(x);
        coordinate(y);
        real(distance);
        byte(0);
    }
    void key(HostOperation which, std::int32_t character, std::uint8_t virtualKey, std::uint8_t modifier = 0) {
        operation(which);
        int32(character);
        byte(virtualKey);
        byte(modifier);
    }
    void readTexts(VstInt32 index) {
        operation(HostOperation::kReadTexts);
        int32(index);
    }
    void rename(const std::string& name) {
        operation(HostOperation::kRenameProgram);
        text(name);
    }

    bool save(const std::string& path) const {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    }

private:
    void raw(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i) byte(static_cast<std::uint8_t>(value >> (8 * i)));
    }

    std::vector<std::uint8_t> bytes;
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kDenormal = std::numeric_limits<float>::denorm_min();

// Blocks of every layout and several sizes with the defaults in force.
SessionWriter processing() {
    SessionWriter session;
    session.mainsChanged(true);
    session.process(512);
    session.process(64, ProcessLayout::kInPlaceFirst);
    session.process(17, ProcessLayout::kInPlaceSecond, SignalShape::kConstant, 0.5f);
    session.process(0);
    session.process(8192, ProcessLayout::kSeparate, SignalShape::kImpulse, 1.0f, 0.0f, 100);
    session.mainsChanged(false);
    session.mainsChanged(true);
    session.process(1);
    return session;
}

// Every parameter at its ends and in between, every program recalled and
// renamed, every text read.
SessionWriter parametersAndPrograms() {
    SessionWriter session;
    for (VstInt32 index = 0; index < 6; ++index) {
        for (float value : {0.0f, 1.0f, 0.3f}) session.setParameter(index, value);
        session.readTexts(index);
    }
    for (VstInt32 program = 0; program < 16; ++program) {
        session.setProgram(program);
        session.rename(program % 2 ? "A long program name beyond its room" : "Gate");
        session.readTexts(program);
        session.process(256);
    }
    session.setProgram(-1);
    session.setProgram(16);
    session.readTexts(-1);
    return session;
}

// Sample rates from 1 Hz to 1 MHz and beyond reason, block size settings,
// the power switch between blocks.
SessionWriter ratesAndBlocks() {
    SessionWriter session;
    const float rates[] = {1.0f, 8000.0f, 44100.0f, 96000.0f, 768000.0f, 1e6f, 0.0f, -44100.0f, kNaN, kInfinity};
    for (float rate : rates) {
        session.mainsChanged(false);
        session.setSampleRate(rate);
        session.setBlockSize(4096);
        session.mainsChanged(true);
        session.process(4096);
        session.process(1);
    }
    session.setBlockSize(-1);
    session.setBlockSize(std::numeric_limits<std::int64_t>::max());
    session.process(33);
    return session;
}

// The editor offscreen: a drag on every slider, the wheel, the arrow keys,
// the Random button, idle passes, and closing in the middle of a drag.
SessionWriter editorGestures() {
    SessionWriter session;
    session.operation(HostOperation::kEditorOpen);
    session.operation(HostOperation::kEditorIdle);
    for (int column = 0; column < 4; ++column) {
        const int x = 65 + column * 76 + 8;
        session.mouse(HostOperation::kMouseDown, x, 150);
        session.mouse(HostOperation::kMouseMoved, x, 100);
        session.mouse(HostOperation::kMouseMoved, x, 400);
        session.mouse(HostOperation::kMouseUp, x, 90);
        session.wheel(x, 120, 1.0f);
        session.key(HostOperation::kKeyDown, 0, VKEY_UP);
        session.key(HostOperation::kKeyUp, 0, VKEY_UP);
        session.key(HostOperation::kKeyDown, 0, VKEY_DOWN);
        session.operation(HostOperation::kEditorIdle);
        session.process(128);
    }
    session.mouse(HostOperation::kMouseDown, 300, 345);
    session.mouse(HostOperation::kMouseUp, 300, 345);
    session.operation(HostOperation::kExpose);
    for (int edge : {0, 0, 462, 355}) session.coordinate(edge);
    session.dispatch(effEditGetRect);
    session.mouse(HostOperation::kMouseDown, 73, 150);
    session.operation(HostOperation::kEditorClose);
    session.mouse(HostOperation::kMouseMoved, 73, 100);
    session.operation(HostOperation::kEditorOpen);
    session.operation(HostOperation::kEditorOpen);
    session.operation(HostOperation::kEditorIdle);
    return session;
}

// Every opcode once, with the arguments hosts pass.
SessionWriter everyOpcode() {
    SessionWriter session;
    for (VstInt32 opcode = 0; opcode <= effGetNumMidiOutputChannels + 1; ++opcode) {
        if (opcode == effClose) continue;
        session.dispatch(opcode, 0, 0, 0.0f, "receiveVstEvents");
    }
    session.dispatch(effEditKeyDown, 'a', VKEY_LEFT, 1.0f);
    session.dispatch(effEditKeyUp, 'a', VKEY_LEFT, 1.0f);
    session.dispatch(effCanDo, 0, 0, 0.0f, "bypass");
    session.dispatch(-1);
    session.dispatch(1000);
    return session;
}

// Values no sane host sends: NaN, infinities, denormals and +-1e30 for every
// parameter, then audio and texts.
SessionWriter hostileValues() {
    SessionWriter session;
    const float values[] = {kNaN, kInfinity, -kInfinity, kDenormal, -kDenormal, 1e30f, -1e30f, -1.0f, 2.0f};
    for (float value : values) {
        for (VstInt32 index = -1; index <= 6; ++index) session.setParameter(index, value);
        session.readTexts(0);
        session.readTexts(3);
        session.process(300, ProcessLayout::kSeparate, SignalShape::kSpecial, 1.0f, value, 17);
    }
    session.dispatch(effSetSampleRate, 0, 0, 1e30f);
    session.process(2048);
    return session;
}

// Random changes with the shortest change time and the fastest gate at the
// highest rate: many changes, many draws.
SessionWriter randomSweep() {
    SessionWriter session;
    session.setSampleRate(768000.0f);
    session.setParameter(4, 1.0f);
    session.setParameter(3, 0.0f);
    session.setParameter(2, 0.05f);
    session.setParameter(1, 1.0f);
    session.setParameter(0, 0.0f);
    for (int block = 0; block < 8; ++block) session.process(8192);
    session.setSampleRate(1.0f);
    session.process(8192);
    return session;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    const struct {
        const char* name;
        SessionWriter session;
    } seeds[] = {
        {"processing", processing()},           {"parameters_and_programs", parametersAndPrograms()},
        {"rates_and_blocks", ratesAndBlocks()}, {"editor_gestures", editorGestures()},
        {"every_opcode", everyOpcode()},        {"hostile_values", hostileValues()},
        {"random_sweep", randomSweep()},
    };
    for (const auto& seed : seeds) {
        if (!seed.session.save(directory + "/" + seed.name)) {
            std::fprintf(stderr, "cannot write %s/%s\n", directory.c_str(), seed.name);
            return 1;
        }
    }
    return 0;
}
