#pragma once

// Random editing sessions for property tests: what an author does to an
// airport, written as lines of the `rollpath-cli script` language, so that a
// failing session is a script anyone can replay. Each step is one action
// (a chain drawn, a polygon, a drag, a context command, a dialog answered
// with valid or invalid values, a diagram loaded and placed, a Save ...) and
// always leaves the view idle, so that RapidCheck can drop any step while it
// shrinks a failure.

#include <rapidcheck.h>

#include <ostream>
#include <string>
#include <vector>

namespace rollpath::testing {

struct EditingSession {
    std::string airport;
    std::string opening = "new";                  // "new CODE", or "open CODE" by its list entry
    std::vector<std::vector<std::string>> steps;  // the lines of each action

    // The opening line, then the lines of every step.
    std::vector<std::string> Lines() const;
    // The lines, each ended by a line feed.
    std::string Script() const;
};

void showValue(const EditingSession& session, std::ostream& os);

struct SessionOptions {
    std::vector<std::string> airports{"KPAO"};
    // A bitmap Load Diagram may choose; other choices are paths that do not
    // exist, some as long as the editor accepts.
    std::string diagramPath;
    bool saves = true;  // Save in the middle of a session
    int maxSteps = 20;
};

rc::Gen<EditingSession> GenEditingSession(const SessionOptions& options);

// One action as its script lines; a drag's points may name the points earlier
// steps clicked ("@K"), which WithKnownPoints then puts in.
rc::Gen<std::vector<std::string>> GenEditingStep(const SessionOptions& options);
std::vector<std::vector<std::string>> WithKnownPoints(std::vector<std::vector<std::string>> steps);

}  // namespace rollpath::testing
