#pragma once

// "Polygon Properties": a ground polygon's direction, convexity, area and
// whether it was made automatically, for reading only.

#include "document/Records.h"
#include "view/dialogs/DialogModel.h"

namespace rollpath {

class PolygonPropertiesModel : public DialogModel {
public:
    static constexpr int kResource = 144;
    static constexpr int kDirection = 1039;
    static constexpr int kComplexity = 1089;
    static constexpr int kArea = 1040;
    static constexpr int kAutomatic = 1056;

    explicit PolygonPropertiesModel(const GroundPolygon& polygon);
};

}  // namespace rollpath
