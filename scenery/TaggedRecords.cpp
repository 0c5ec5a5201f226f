#include "scenery/TaggedRecords.h"

#include <cstdint>
#include <cstring>

#include "scenery/BinaryIO.h"

namespace rollpath {

std::string RecordTag::Name() const {
    const void* nul = std::memchr(chars.data(), 0, chars.size());
    const std::size_t length = nul != nullptr
                                   ? static_cast<std::size_t>(static_cast<const char*>(nul) - chars.data())
                                   : chars.size();
    return std::string(chars.data(), length);
}

bool ReadTag(ByteReader& reader, RecordTag& tag) {
    if (reader.remaining() < kTagLength) {
        return false;
    }
    tag.offset = reader.offset();
    tag.trailing.clear();
    for (char& c : tag.chars) {
        std::uint8_t byte = 0;
        reader.U8(byte);
        c = static_cast<char>(byte);
    }
    std::uint8_t byte = 0;
    while (reader.U8(byte) && byte != 0) {
        tag.trailing.push_back(static_cast<char>(byte));
    }
    return true;
}

std::string UnknownTokenMessage(const RecordTag& tag) {
    return "Unknown token: " + tag.Name();
}

}  // namespace rollpath
