// The editing commands of morvane-bank: copy, swap, rename and clear slots
// of bank files in place, through the bank's slot operations and the
// editor's safe writer, keeping each file's byte order.
#include <sys/stat.h>

#include "tools/morvane-bank/bank_commands.h"
#include "tools/morvane-bank/bank_load.h"

namespace {
// Reads a bank to be written back: 0 to go on, else the exit status (the
// reasons are on err). A bank read with damage is written over only with
// force, since the presets that could not be read would be lost.
int openForEdit(const std::string& file, int force, loadedBank* lb, std::ostream& err)
{
    *lb = bankLoad_read(file);
    if (!bankLoad_ok(*lb, file, err)) return 2;
    if (lb->bank->readDamaged && !force) {
        err << file << ": read with damage, only " << bank_presetCount(lb->bank.get())
            << " presets could be read; not changed (--force writes it with them)\n";
        for (const std::string& p : lb->problems) err << "  " << p << "\n";
        return 1;
    }
    return 0;
}

int save(loadedBank& lb, const std::string& file, std::ostream& err)
{
    return bankLoad_write(lb.bank.get(), file, lb.bigEndian, err) ? 0 : 1;
}

std::string quoted(bankRec* bank, short slot) { return "\"" + bankLoad_presetName(bank, slot) + "\""; }

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
}  // namespace

int bankCmd_copy(const std::string& src, short srcSlot, const std::string& dst, short dstSlot, int force,
                 std::ostream& out, std::ostream& err)
{
    loadedBank from = bankLoad_read(src);
    if (!bankLoad_ok(from, src, err)) return 2;
    if (bank_presetIsDefault(from.bank.get(), srcSlot)) {
        err << src << ": slot " << srcSlot << " is empty; nothing copied\n";
        return 1;
    }
    bool same = sameFile(src, dst);
    loadedBank created;
    loadedBank* to = same ? &from : &created;
    struct stat st;
    if (same) {
        if (from.bank->readDamaged && !force) return openForEdit(dst, force, &created, err);
    } else if (stat(dst.c_str(), &st) != 0) {
        // A new bank, in this machine's byte order.
        created.bank.reset(bank_new());
        created.result = created.bank ? mvnOpen_done : mvnOpen_failed;
        if (!created.bank) {
            err << dst << ": no memory for a new bank\n";
            return 1;
        }
    } else if (int status = openForEdit(dst, force, &created, err)) {
        return status;
    }
    bankRec* bank = to->bank.get();
    if (!bank_presetIsDefault(bank, dstSlot) && !force) {
        err << dst << ": slot " << dstSlot << " holds " << quoted(bank, dstSlot)
            << "; not overwritten (--force replaces it)\n";
        return 1;
    }
    if (!bank_copyPreset(bank, dstSlot, from.bank.get(), srcSlot)) {
        err << dst << ": no memory for the copy\n";
        return 1;
    }
    if (int status = save(*to, dst, err)) return status;
    out << dst << ": slot " << dstSlot << " " << quoted(bank, dstSlot) << " copied from " << src << " slot "
        << srcSlot << "\n";
    return 0;
}

int bankCmd_swap(const std::string& file, short a, short b, int force, std::ostream& out, std::ostream& err)
{
    loadedBank lb;
    if (int status = openForEdit(file, force, &lb, err)) return status;
    if (!bank_swapPresets(lb.bank.get(), a, b)) return 1;
    if (int status = save(lb, file, err)) return status;
    out << file << ": slot " << a << " " << quoted(lb.bank.get(), a) << ", slot " << b << " "
        << quoted(lb.bank.get(), b) << "\n";
    return 0;
}

int bankCmd_rename(const std::string& file, short slot, const std::string& name, int force, std::ostream& out,
                   std::ostream& err)
{
    loadedBank lb;
    if (int status = openForEdit(file, force, &lb, err)) return status;
    if (!bank_renamePreset(lb.bank.get(), slot, name.c_str())) return 1;
    if (name.size() > kPatchNameLen)
        err << "warning: the name is cut to " << kPatchNameLen << " characters\n";
    if (int status = save(lb, file, err)) return status;
    out << file << ": slot " << slot << " " << quoted(lb.bank.get(), slot) << "\n";
    return 0;
}

int bankCmd_clear(const std::string& file, short slot, int force, std::ostream& out, std::ostream& err)
{
    loadedBank lb;
    if (int status = openForEdit(file, force, &lb, err)) return status;
    std::string was = quoted(lb.bank.get(), slot);
    bool empty = bank_presetIsDefault(lb.bank.get(), slot) != 0;
    if (!bank_initPreset(lb.bank.get(), slot)) return 1;
    if (!empty)
        if (int status = save(lb, file, err)) return status;
    out << file << ": slot " << slot << (empty ? " was empty" : " " + was + " cleared") << "\n";
    return 0;
}
