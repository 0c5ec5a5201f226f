#pragma once

// Helpers of the scenery tests: an independent little-endian encoder for the
// expected bytes (so that golden files do not come from the code under
// test), file helpers and a document with a recording message sink.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "document/RollpathDoc.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace rollpath::testing {

using Bytes = std::vector<std::uint8_t>;

class Golden {
public:
    Golden& tag(std::string_view six) {
        EXPECT_EQ(six.size(), 6u);
        return text(six);
    }
    Golden& text(std::string_view s) {
        for (const char c : s) {
            bytes.push_back(static_cast<std::uint8_t>(c));
        }
        bytes.push_back(0);
        return *this;
    }
    // The low `size` bytes of v, least significant first.
    Golden& little(std::uint64_t v, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
        return *this;
    }
    Golden& u32(std::uint32_t v) { return little(v, 4); }
    Golden& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Golden& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    Golden& f64(double v) { return little(std::bit_cast<std::uint64_t>(v), 8); }
    Golden& raw(std::initializer_list<std::uint8_t> list) {
        bytes.insert(bytes.end(), list.begin(), list.end());
        return *this;
    }

    Bytes bytes;
};

// A segment between two pool vertices, as a reader makes one: no geometry.
inline RollpathSegment& Join(CRollpathDoc& doc, int vertex0, int vertex1) {
    RollpathSegment& s = doc.AppendSegment();
    s.vertex0 = vertex0;
    s.vertex1 = vertex1;
    return s;
}

// A document named after an airport code, with its messages recorded.
class SceneryTest : public ::testing::Test {
protected:
    SceneryTest() {
        doc.SetMessageSink(&messages);
        doc.m_szCode = "KTST";
        doc.m_szTxdName = "KTST.txd";
        doc.m_szTxpName = "KTST.txp";
        doc.m_szBgrName = "KTST.bgr";
        doc.m_szTmsName = "KTST.tms";
        doc.SetProgramDir(dir.path());
    }

    std::filesystem::path File(const std::string& name) const { return dir / name; }

    // A fresh document that records into its own sink.
    struct Fresh {
        Fresh() { doc.SetMessageSink(&messages); }
        RecordingMessageSink messages;
        CRollpathDoc doc;
    };

    TempDir dir{"rollpath-scenery"};
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

}  // namespace rollpath::testing
