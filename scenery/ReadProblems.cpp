#include "scenery/ReadProblems.h"

#include <algorithm>

#include "document/MessageSink.h"

namespace rollpath {

ReadProblems::~ReadProblems() {
    for (const auto& [problem, count] : problems_) {
        messages_.Show(name_ + ": " + problem + (count > 1 ? " (" + std::to_string(count) + " times)" : ""));
    }
}

void ReadProblems::Note(const std::string& problem) {
    const auto it = std::find_if(problems_.begin(), problems_.end(),
                                 [&problem](const auto& known) { return known.first == problem; });
    if (it != problems_.end()) {
        ++it->second;
    } else {
        problems_.emplace_back(problem, 1);
    }
}

}  // namespace rollpath
