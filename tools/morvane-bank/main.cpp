// morvane-bank: lists, shows, checks, converts and compares bank files.
#include <csignal>
#include <iostream>

#include "tools/morvane-bank/bank_commands.h"

int main(int argc, char** argv)
{
    // A write past the file-size limit fails with its reason instead of ending the tool.
    signal(SIGXFSZ, SIG_IGN);
    return bankCmd_main(argc, argv, std::cout, std::cerr);
}
