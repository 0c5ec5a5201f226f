#pragma once

// Finding a database member inside one of the simulator's archives and
// walking its records. Every offset and size read from an archive is checked
// against the archive's size before it is used.

#include <cstdint>
#include <functional>
#include <string_view>

#include "simdata/BinaryFile.h"

namespace rollpath {

struct ArchiveMember {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

enum class MemberLookup {
    Found,
    Missing,
    Damaged,  // a header, directory or member that does not fit the archive
};

// .epd: the directory entries are walked in order until the first 20
// characters of a name equal the member's (case matters). A count below 10
// counts as 10 and at most count - 1 entries are examined.
MemberLookup FindEpdMember(BinaryFile& archive, std::string_view name, ArchiveMember& member);

// .pod: the whole directory is read, then the names in order until one
// equals the member's ignoring case. Every entry is read, however many.
MemberLookup FindPodMember(BinaryFile& archive, std::string_view name, ArchiveMember& member);

// Calls visit with each record that follows the member's 56-byte header, in
// order; a last record cut short by the end of the member is filled with
// zeros. Stops when visit returns false. Returns false when the archive gave
// fewer bytes than the member holds.
bool ForEachMemberRecord(BinaryFile& archive, const ArchiveMember& member, std::size_t recordLength,
                         const std::function<bool(ByteSpan)>& visit);

}  // namespace rollpath
