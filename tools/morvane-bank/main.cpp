// morvane-bank: lists, shows, checks, converts and compares bank files.
#include <iostream>

#include "tools/morvane-bank/bank_commands.h"

int main(int argc, char** argv) { return bankCmd_main(argc, argv, std::cout, std::cerr); }
