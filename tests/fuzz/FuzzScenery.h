#pragma once

// Helpers of the scenery-file targets: the origin the file itself declares
// (so that the readers' check against the airport's position passes and the
// records behind it are reached), and the work the editor does with a read
// airport.

#include <cstdint>
#include <span>
#include <utility>

#include "document/RollpathDoc.h"
#include "project/DocumentPipeline.h"
#include "scenery/NetworkFile.h"
#include "scenery/NetworkFileDecoder.h"
#include "scenery/PolygonFile.h"
#include "scenery/PolygonFileDecoder.h"
#include "scenery/SideFile.h"

namespace rollpath::fuzz {

template <typename Decoder, typename Record, typename Field>
std::pair<double, double> DeclaredOrigin(std::span<const std::uint8_t> bytes, Field field) {
    Decoder decoder(bytes);
    Record record;
    for (int i = 0; i < 8 && decoder.Next(record) == DecodeStatus::Record; ++i) {
        if (record.tag.Is("<orgn>")) {
            return {(record.*field)[0], (record.*field)[1]};
        }
    }
    return {0.0, 0.0};
}

inline std::pair<double, double> NetworkOrigin(std::span<const std::uint8_t> bytes) {
    return DeclaredOrigin<NetworkFileDecoder, NetworkRecord>(bytes, &NetworkRecord::values);
}

inline std::pair<double, double> PolygonOrigin(std::span<const std::uint8_t> bytes) {
    return DeclaredOrigin<PolygonFileDecoder, PolygonFileRecord>(bytes, &PolygonFileRecord::origin);
}

// What follows a read: the view's first update (network, pavement, tile
// grid) and the encoders of the next Save, all on what the file gave; then
// the records are let go within the run that made them.
inline void UseDocument(CRollpathDoc& doc) {
    PrepareOpenedDocument(doc);
    (void)EncodeNetworkFile(doc);
    (void)EncodeSideFile(doc);
    (void)EncodePolygonFile(doc);
    doc.CleanUp();
}

}  // namespace rollpath::fuzz
