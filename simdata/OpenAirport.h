#pragma once

#include <optional>
#include <string>
#include <utility>

#include "document/RollpathDoc.h"
#include "simdata/SceneryReadBack.h"

namespace rollpath {

// What the Open Airport dialog ("FAA or ICAO code", "&Load *.tms file")
// returns on OK.
struct OpenAirportChoice {
    std::string code;  // as typed; nothing limits it
    bool loadTms = false;
};

// The Open Airport dialog, shown by the editor, scripted by tests and the CLI.
class OpenAirportDialog {
public:
    virtual ~OpenAirportDialog() = default;
    // The choice on OK; nothing when the dialog is cancelled.
    virtual std::optional<OpenAirportChoice> Run() = 0;
};

// A dialog that answers with a fixed choice (or cancels when it has none).
class FixedOpenAirportDialog : public OpenAirportDialog {
public:
    explicit FixedOpenAirportDialog(std::optional<OpenAirportChoice> choice) : m_Choice(std::move(choice)) {}
    std::optional<OpenAirportChoice> Run() override { return m_Choice; }

private:
    std::optional<OpenAirportChoice> m_Choice;
};

// The New command: asks for a code and opens that airport. While the
// application is still starting up the first, empty document is accepted
// without asking. The open document stays as it is until the new airport has
// opened: a cancelled dialog, an empty code, a code that is no airport code
// (refused with a message) and an airport that does not open leave it
// untouched. True when an airport was loaded (or while starting up).
bool OnNewDocument(CRollpathDoc& doc, OpenAirportDialog& dialog, bool startingUp,
                   const SceneryReadBack& readBack = {});

}  // namespace rollpath
