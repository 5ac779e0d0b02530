// The commands of morvane-bank, each writing to out (results) and err
// (messages) and returning the exit status: 0 done, 1 nothing found or
// refused, 2 bad usage or a file that cannot be read.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// list FILE: one line per stored preset: slot, name, summary.
int bankCmd_list(const std::string& file, std::ostream& out, std::ostream& err);
// show FILE SLOT in one of three forms.
enum { showForm_musician = 0, showForm_raw = 1, showForm_json = 2 };
int bankCmd_show(const std::string& file, int slot, int form, std::ostream& out, std::ostream& err);
// search PATTERN FILE...: FILE<TAB>SLOT<TAB>NAME for every stored preset
// whose name holds pattern in any case. 1 when none does, 2 when a file
// could not be read (the others are still searched).
int bankCmd_search(const std::string& pattern, const std::vector<std::string>& files, std::ostream& out,
                   std::ostream& err);
// check FILE: 0 when every chunk was read and accepted, 1 with the reasons.
int bankCmd_check(const std::string& file, std::ostream& out, std::ostream& err);
// convert IN OUT to big-endian (1) or little-endian (0). 0 when the whole
// file was read and written; 1 when it could not be written, or was
// damaged. A damaged IN is not written over itself unless force is 1.
int bankCmd_convert(const std::string& in, const std::string& outFile, int bigEndian, int force,
                    std::ostream& out, std::ostream& err);
// diff A B: slots and fields that differ. 0 same, 1 different, 2 trouble.
int bankCmd_diff(const std::string& a, const std::string& b, std::ostream& out, std::ostream& err);

// Editing in place through the editor's safe writer, in the file's own byte
// order. A stored preset is overwritten, and a bank read with damage written
// over, only with force; refused, the file is left untouched (status 1).
// copy: DST is created when it does not exist; an empty SRC slot is refused.
int bankCmd_copy(const std::string& src, short srcSlot, const std::string& dst, short dstSlot, int force,
                 std::ostream& out, std::ostream& err);
int bankCmd_swap(const std::string& file, short a, short b, int force, std::ostream& out, std::ostream& err);
int bankCmd_rename(const std::string& file, short slot, const std::string& name, int force, std::ostream& out,
                   std::ostream& err);
int bankCmd_clear(const std::string& file, short slot, int force, std::ostream& out, std::ostream& err);

// The whole command line; --help lists every command.
int bankCmd_main(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
