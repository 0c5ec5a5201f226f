#pragma once

// "Runway Properties": a runway's ends, displaced thresholds, designators
// and surface, shown only; "&Closed" is the one thing the user can change.

#include "document/Records.h"
#include "view/dialogs/DialogModel.h"

namespace rollpath {

class RunwayPropertiesModel : public DialogModel {
public:
    static constexpr int kResource = 153;
    static constexpr int kLat0 = 1094;
    static constexpr int kLon0 = 1095;
    static constexpr int kLat1 = 1097;
    static constexpr int kLon1 = 1096;
    static constexpr int kDisplaced0 = 1099;
    static constexpr int kDisplaced1 = 1100;
    static constexpr int kId = 1079;
    static constexpr int kSurface = 1078;
    static constexpr int kClosed = 1098;

    explicit RunwayPropertiesModel(const RunwayRecord& runway);

    // The check box's state: what OK hands back.
    bool Closed() const { return IsChecked(kClosed); }
    // True when the runway's closed value would change (any non-zero value
    // counts as closed).
    bool ChangesRunway(const RunwayRecord& runway) const { return Closed() != (runway.closed != 0); }
};

}  // namespace rollpath
