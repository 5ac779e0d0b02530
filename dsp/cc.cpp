#include "dsp/cc.h"

#include <cstring>

float cc_calcLag(float lag) { return 1.0f / (lag + 1.0f); }

void cc_initCCInstRec(ccInstRec* rec) {
    if (!rec) return;
    // The note maps inside the record are initialised with the instrument's
    // note maps (notemap_initInst); only the controller fields are reset here.
    std::memset(rec, 0, offsetof(ccInstRec, notemaps));
    rec->bendRange = 24.0f;
    rec->bendCur = rec->bendTarget = 1.0f;
    rec->bendLag = cc_calcLag(10);
    rec->panCenter = 64;
    rec->panCC = 10;
    rec->panDepth = 1.0f;
    rec->panCur = rec->panTarget = 64.0f;
    rec->panLag = cc_calcLag(10);
    rec->volCC = 7;
    rec->volScale = 1.0f;
    rec->volCur = rec->volTarget = 1.0f;
    rec->volLag = cc_calcLag(10);
    for (auto& f : rec->filterChanOn) f = 1;
    rec->filterCC = 1;
    rec->filterSpareA = 1.0f;
    rec->filterDepth = 1.0f;
    rec->filterCur = rec->filterTarget = 1.0f;
    rec->filterLag = cc_calcLag(10);
    for (auto& m : rec->modChanOn) m = 1;
    rec->modCC = 1;
    rec->modLag = cc_calcLag(10);
    rec->modDepth = 1.0f;
    rec->modCur = rec->modTarget = 1.0f;
    rec->effectCC = 1;
    rec->effectLag = cc_calcLag(25);
    rec->effectDepth = 0.00001f;
    rec->effectCur = rec->effectTarget = 1.0f;
}
