// rollpath_synthetic_project DIR: writes the large synthetic airport as a
// saved project (see SyntheticProject.h) and prints the code to build, for
// measuring `rollpath-cli build` on it.

#include <iostream>

#include "../SyntheticProject.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: rollpath_synthetic_project DIR\n";
        return 2;
    }
    rollpath::Settings settings;
    rollpath::RecordingMessageSink messages;
    std::string error;
    if (!rollpath::bench::WriteSyntheticProject(argv[1], settings, messages, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    std::cout << rollpath::bench::kSyntheticCode << '\n';
    return 0;
}
