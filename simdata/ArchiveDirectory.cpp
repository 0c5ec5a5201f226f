#include "simdata/ArchiveDirectory.h"

#include <algorithm>
#include <optional>

#include "document/InstallPaths.h"
#include "simdata/DatabaseLayout.h"

namespace rollpath {

namespace {

namespace L = dblayout;

// A member whose offset and size, as read, lie inside the archive.
MemberLookup CheckedMember(const BinaryFile& archive, std::int32_t offset, std::int32_t size,
                           ArchiveMember& member) {
    if (offset < 0 || size < 0) {
        return MemberLookup::Damaged;
    }
    const auto begin = static_cast<std::uint64_t>(offset);
    const auto length = static_cast<std::uint64_t>(size);
    if (begin > archive.Size() || length > archive.Size() - begin) {
        return MemberLookup::Damaged;
    }
    member.offset = begin;
    member.size = length;
    return MemberLookup::Found;
}

// Equality of the first n characters, as two NUL-terminated texts compare:
// a field that ends (NUL) where the name ends matches.
bool EqualOverFirst(ByteSpan field, std::string_view name, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const char a = i < field.size() ? static_cast<char>(field[i]) : '\0';
        const char b = i < name.size() ? name[i] : '\0';
        if (a != b) {
            return false;
        }
        if (a == '\0') {
            return true;
        }
    }
    return true;
}

}  // namespace

MemberLookup FindEpdMember(BinaryFile& archive, std::string_view name, ArchiveMember& member) {
    const std::optional<Bytes> header = archive.ReadExactly(0, L::kEpdHeader);
    if (!header) {
        return MemberLookup::Damaged;
    }
    const std::int64_t declared = Int32At(*header, L::kEpdCount);
    const std::int64_t examined = std::max<std::int64_t>(declared, L::kEpdMinimumCount) - 1;
    const std::uint64_t room = (archive.Size() - L::kEpdHeader) / L::kEpdEntry;
    const auto inFile =
        static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(examined), room));
    const std::optional<Bytes> directory = archive.ReadExactly(L::kEpdHeader, inFile * L::kEpdEntry);
    if (!directory) {
        return MemberLookup::Damaged;
    }
    for (std::size_t i = 0; i < inFile; ++i) {
        const ByteSpan entry = ByteSpan(*directory).subspan(i * L::kEpdEntry, L::kEpdEntry);
        if (EqualOverFirst(entry.subspan(L::kEpdEntryName, L::kEpdEntryNameField), name,
                           L::kEpdNameCompared)) {
            return CheckedMember(archive, Int32At(entry, L::kEpdEntryOffset),
                                 Int32At(entry, L::kEpdEntrySize), member);
        }
    }
    // A count below the minimum is raised without regard to the archive, so
    // only an explicit count that the archive cannot hold is damage.
    const bool explicitCountCut =
        declared >= L::kEpdMinimumCount && static_cast<std::uint64_t>(examined) > room;
    return explicitCountCut ? MemberLookup::Damaged : MemberLookup::Missing;
}

MemberLookup FindPodMember(BinaryFile& archive, std::string_view name, ArchiveMember& member) {
    const std::optional<Bytes> header = archive.ReadExactly(0, L::kPodHeader);
    if (!header) {
        return MemberLookup::Damaged;
    }
    const std::int32_t count = Int32At(*header, L::kPodCount);
    const std::int32_t directoryOffset = Int32At(*header, L::kPodDirectoryOffset);
    if (count < 0 || directoryOffset < 0) {
        return MemberLookup::Damaged;
    }
    const auto start = static_cast<std::uint64_t>(directoryOffset);
    const std::uint64_t entriesSize = static_cast<std::uint64_t>(count) * L::kPodEntry;
    if (start > archive.Size() || entriesSize > archive.Size() - start) {
        return MemberLookup::Damaged;
    }
    // The entries and, after them, as much of the name table as the names can
    // take (each at most 1023 characters and its NUL), within the archive.
    const std::uint64_t namesMax = static_cast<std::uint64_t>(count) * (L::kPodMaxNameLength + 1);
    const std::uint64_t regionSize = std::min(entriesSize + namesMax, archive.Size() - start);
    const std::optional<Bytes> region = archive.ReadExactly(start, static_cast<std::size_t>(regionSize));
    if (!region) {
        return MemberLookup::Damaged;
    }
    const ByteSpan bytes(*region);
    std::size_t pos = static_cast<std::size_t>(entriesSize);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const std::size_t window = std::min(L::kPodMaxNameLength + 1, bytes.size() - pos);
        const ByteSpan candidate = bytes.subspan(pos, window);
        const auto nul = std::find(candidate.begin(), candidate.end(), std::uint8_t{0});
        if (nul == candidate.end()) {
            return MemberLookup::Damaged;  // no NUL before the archive ends or within the longest name
        }
        const auto length = static_cast<std::size_t>(nul - candidate.begin());
        const std::string_view entryName(reinterpret_cast<const char*>(candidate.data()), length);
        if (EqualsIgnoreCase(entryName, name)) {
            const ByteSpan entry = bytes.subspan(i * L::kPodEntry, L::kPodEntry);
            return CheckedMember(archive, Int32At(entry, L::kPodEntryOffset),
                                 Int32At(entry, L::kPodEntrySize), member);
        }
        pos += length + 1;
    }
    return MemberLookup::Missing;
}

bool ForEachMemberRecord(BinaryFile& archive, const ArchiveMember& member, std::size_t recordLength,
                         const std::function<bool(ByteSpan)>& visit) {
    if (member.size <= L::kMemberHeader || recordLength == 0) {
        return true;
    }
    constexpr std::size_t kRecordsPerRead = 512;
    const std::uint64_t first = member.offset + L::kMemberHeader;
    const std::uint64_t remaining = member.size - L::kMemberHeader;
    const std::uint64_t records = (remaining + recordLength - 1) / recordLength;
    Bytes buffer(static_cast<std::size_t>(std::min<std::uint64_t>(records, kRecordsPerRead)) * recordLength);
    for (std::uint64_t done = 0; done < remaining;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), remaining - done));
        const std::size_t got = archive.ReadAt(first + done, std::span(buffer).first(want));
        if (got != want) {
            return false;
        }
        // Zeros after the member's last byte complete a partial last record.
        std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(want), buffer.end(), std::uint8_t{0});
        for (std::size_t at = 0; at < want; at += recordLength) {
            if (!visit(ByteSpan(buffer).subspan(at, recordLength))) {
                return true;
            }
        }
        done += want;
    }
    return true;
}

}  // namespace rollpath
