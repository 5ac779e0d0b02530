// The plug-in host simulator: plays the plug-in side of the link for any
// number of instances 0..7, answers the editor and prints what it is asked.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace morvane_host {

class Host {
public:
    explicit Host(std::FILE* out);
    ~Host();

    // Signs in and brings instances 0..n-1 online. 1, or 0 when the link
    // refused (the reason is printed).
    int start(int n);
    // One pass over the editor's requests: fades, repatches, effect buffers,
    // programs chosen in the editor, names and recent banks published.
    void poll();
    // Runs one command line; returns 0 for "quit", 1 otherwise.
    int command(const std::string& line);
    // Takes every instance offline and signs out.
    void stop();

    int currentProgram(int instance) const { return program_[instance]; }

private:
    bool ensureSignedIn(int instance);
    void printNames();
    void printBanks();
    int snapshot(int instance, const std::string& path);

    std::FILE* out_;
    bool signedIn_[8] = {};
    int program_[8];
    uint32_t namesGeneration_ = 0;
};

// The text of --help.
const char* usage();

}  // namespace morvane_host
