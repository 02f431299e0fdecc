// Requests the effect makes of its host: each passes the host's answer back
// to the caller. Only the sample-rate and block-size queries also store what
// the host answered.
#include "host/audioeffectx.h"
#include "host/text_copy.h"

bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
bool AudioEffectX::beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool AudioEffectX::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }

VstInt32 AudioEffectX::getMasterVersion() {
    const VstInt32 version = static_cast<VstInt32>(callHost(audioMasterVersion));
    return version != 0 ? version : 1;
}
VstInt32 AudioEffectX::getCurrentUniqueId() { return static_cast<VstInt32>(callHost(audioMasterCurrentId)); }
// The host answers 0 for "connected", as the interface has it.
bool AudioEffectX::isInputConnected(VstInt32 input) { return callHost(audioMasterPinConnected, input, 0) == 0; }
bool AudioEffectX::isOutputConnected(VstInt32 output) { return callHost(audioMasterPinConnected, output, 1) == 0; }
bool AudioEffectX::wantEvents(VstInt32 filter) { return callHost(audioMasterWantMidi, 0, filter) != 0; }
VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}
VstInt32 AudioEffectX::tempoAt(VstInt32 pos) { return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, pos)); }
VstInt32 AudioEffectX::getNumAutomatableParameters() {
    return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}
VstInt32 AudioEffectX::getParameterQuantization() {
    return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}
bool AudioEffectX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }
bool AudioEffectX::needIdle() { return callHost(audioMasterNeedIdle) != 0; }
bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
    return callHost(audioMasterSizeWindow, width, height) != 0;
}
double AudioEffectX::updateSampleRate() {
    const VstIntPtr rate = callHost(audioMasterGetSampleRate);
    if (rate > 0) setSampleRate(static_cast<float>(rate));
    return getSampleRate();
}
VstInt32 AudioEffectX::updateBlockSize() {
    const VstIntPtr size = callHost(audioMasterGetBlockSize);
    if (size > 0) setBlockSize(static_cast<VstInt32>(size));
    return getBlockSize();
}
VstInt32 AudioEffectX::getInputLatency() { return static_cast<VstInt32>(callHost(audioMasterGetInputLatency)); }
VstInt32 AudioEffectX::getOutputLatency() { return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency)); }
AEffect* AudioEffectX::getPreviousPlug(VstInt32 input) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug, input));
}
AEffect* AudioEffectX::getNextPlug(VstInt32 output) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug, output));
}
VstInt32 AudioEffectX::willProcessReplacing() {
    return static_cast<VstInt32>(callHost(audioMasterWillReplaceOrAccumulate));
}
VstInt32 AudioEffectX::getCurrentProcessLevel() {
    return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}
VstInt32 AudioEffectX::getAutomationState() { return static_cast<VstInt32>(callHost(audioMasterGetAutomationState)); }
bool AudioEffectX::offlineStart(VstAudioFile* ptr, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles) {
    return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, ptr) != 0;
}
bool AudioEffectX::offlineRead(VstOfflineTask* offline, VstInt32 option, bool readSource) {
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}
bool AudioEffectX::offlineWrite(VstOfflineTask* offline, VstInt32 option) {
    return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}
VstInt32 AudioEffectX::offlineGetCurrentPass() {
    return static_cast<VstInt32>(callHost(audioMasterOfflineGetCurrentPass));
}
VstInt32 AudioEffectX::offlineGetCurrentMetaPass() {
    return static_cast<VstInt32>(callHost(audioMasterOfflineGetCurrentMetaPass));
}
void AudioEffectX::setOutputSamplerate(float samplerate) {
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}
VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetOutputSpeakerArrangement));
}
bool AudioEffectX::getHostVendorString(char* text) {
    copyText(text, "", 0);
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}
bool AudioEffectX::getHostProductString(char* text) {
    copyText(text, "", 0);
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}
VstInt32 AudioEffectX::getHostVendorVersion() { return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion)); }
VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg, float floatArg) {
    return callHost(audioMasterVendorSpecific, lArg1, lArg2, ptrArg, floatArg);
}
VstInt32 AudioEffectX::canHostDo(char* text) { return callHost(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0; }
VstInt32 AudioEffectX::getHostLanguage() { return static_cast<VstInt32>(callHost(audioMasterGetLanguage)); }
void* AudioEffectX::openWindow(void* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}
bool AudioEffectX::closeWindow(void* window) { return callHost(audioMasterCloseWindow, 0, 0, window) != 0; }
void* AudioEffectX::getDirectory() { return reinterpret_cast<void*>(callHost(audioMasterGetDirectory)); }
bool AudioEffectX::openFileSelector(void* ptr) { return callHost(audioMasterOpenFileSelector, 0, 0, ptr) != 0; }
bool AudioEffectX::closeFileSelector(void* ptr) { return callHost(audioMasterCloseFileSelector, 0, 0, ptr) != 0; }
char* AudioEffectX::getChunkFile(void* nativePath) {
    return reinterpret_cast<char*>(callHost(audioMasterGetChunkFile, 0, 0, nativePath));
}
VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetInputSpeakerArrangement));
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput) {
    // A host may pass only one of the two locations; the other is skipped.
    if (pluginInput != nullptr) *pluginInput = nullptr;
    if (pluginOutput != nullptr) *pluginOutput = nullptr;
    return false;
}
