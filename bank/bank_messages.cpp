// The message interface of bank/: every message for the user and every
// internal notice passes through here, so the shell can show them in its own
// boxes and tests and tools can observe them.
#include "bank/bank.h"

#include <cstdio>
#include <set>
#include <string>

namespace {
bankMessageProc messageProc = nullptr;
bankErrorProc errorProc = nullptr;
bankSelectNotifyProc selectNotifyProc = nullptr;
bool grouping = false;
std::set<std::string> shownInGroup;
}  // namespace

void bank_beginMessageGroup()
{
    grouping = true;
    shownInGroup.clear();
}

void bank_endMessageGroup()
{
    grouping = false;
    shownInGroup.clear();
}

void bank_setMessageProc(bankMessageProc proc) { messageProc = proc; }
void bank_setErrorProc(bankErrorProc proc) { errorProc = proc; }
void bank_setSelectNotifyProc(bankSelectNotifyProc proc) { selectNotifyProc = proc; }
bankMessageProc bank_getMessageProc() { return messageProc; }
bankErrorProc bank_getErrorProc() { return errorProc; }

int bank_message(const char* text, int buttons)
{
    if (!text) return bankAnswer_ok;
    if (grouping && buttons == bankButtons_ok && !shownInGroup.insert(text).second) return bankAnswer_ok;
    if (messageProc) return messageProc(text, "Morvane", buttons);
    std::fprintf(stderr, "Morvane: %s\n", text);
    return bankAnswer_ok;
}

void bank_error(const char* text)
{
    if (text && errorProc) errorProc(text);
}

// Used by bank_selectPreset once the preset is in the instrument.
void bank_notifySelected(int instance)
{
    if (selectNotifyProc) selectNotifyProc(instance);
}
