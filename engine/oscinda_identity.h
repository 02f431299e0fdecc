// Who this plug-in is, as the host sees it: the record's unique ID and the
// texts and numbers of the identity queries.
#pragma once

#include "host/aeffect.h"

constexpr VstInt32 kOscindaUniqueId = fourCharCode('O', 'S', 'C', 'D');
constexpr const char* kOscindaEffectName = "Oscinda";
constexpr const char* kOscindaProductString = "Oscinda";
constexpr const char* kOscindaVendorString = "Zelmora";
constexpr VstInt32 kOscindaVendorVersion = 1000;
constexpr VstInt32 kOscindaVstVersion = 2400;
