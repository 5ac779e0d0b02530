// The commands of morvane-bank, each writing to out (results) and err
// (problems) and returning the exit status.
#pragma once

#include <ostream>
#include <string>

// list FILE: one line per stored preset: slot, name, summary. 0 or 1.
int bankCmd_list(const std::string& file, std::ostream& out, std::ostream& err);
// show FILE SLOT: every stored field of the slot. 0 or 1.
int bankCmd_show(const std::string& file, int slot, std::ostream& out, std::ostream& err);
// check FILE: 0 when every chunk was read and accepted, 1 with the reasons.
int bankCmd_check(const std::string& file, std::ostream& out, std::ostream& err);
// convert IN OUT to big-endian (1) or little-endian (0). 0 when the whole
// file was read and written; 1 when it could not be, or was damaged. A
// damaged IN is not written over itself unless force is 1.
int bankCmd_convert(const std::string& in, const std::string& outFile, int bigEndian, int force,
                    std::ostream& out, std::ostream& err);
// diff A B: slots and fields that differ. 0 same, 1 different, 2 trouble.
int bankCmd_diff(const std::string& a, const std::string& b, std::ostream& out, std::ostream& err);
// The whole command line; the usage text for anything else (status 2).
int bankCmd_main(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
