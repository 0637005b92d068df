#pragma once

#include "files/buffered_file.h"
#include "files/cp932.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A file of fixed-length records, each holding one text: two bytes of little-endian length L,
// then L bytes of code page 932 text, then zeros. Record r (from 1) occupies the bytes
// (r - 1) * length … r * length - 1. Verification files use 200-byte records, the settings
// file 100-byte ones.
namespace zelkora {

inline constexpr std::size_t kVerificationRecordLength = 200;
inline constexpr std::size_t kSettingsRecordLength = 100;

enum class RecordFileError : std::uint8_t {
    None,
    NotOpen,
    OpenFailed,
    BadRecordNumber, // below 1, or beyond what a file can address
    TooLong,         // the encoded text does not fit the record; nothing was written
    Unencodable,     // a character has no code page 932 form; nothing was written
    WriteFailed,     // the file refused the bytes (disk full, read-only, …)
    ReadFailed,
};

struct RecordFileResult {
    RecordFileError error = RecordFileError::None;
    std::string message; // names the file and the record where it helps
    bool ok() const { return error == RecordFileError::None; }
};

enum class RecordReadStatus : std::uint8_t {
    Ok,        // the record's text; empty when written empty or never written below the end
    BeyondEnd, // the record lies wholly past the end of the file; the text is empty
    Damaged,   // the text was recovered as far as the record allowed; see RecordDamage
    Failed,    // nothing could be read (not open, bad record number, read error)
};

struct RecordDamage {
    bool lengthTooLarge = false; // L is more than the record can hold
    bool truncated = false;      // the file ends before the L bytes of text
    bool invalidBytes = false;   // the text is not valid code page 932
};

struct RecordReadOutcome {
    RecordReadStatus status = RecordReadStatus::Ok;
    RecordDamage damage;
    std::string message; // set for Failed
};

struct RecordRead {
    std::string text;
    RecordReadOutcome outcome;
};

struct RecordInt16 {
    std::int16_t value = 0;
    RecordReadOutcome outcome;
};

class RecordFile {
public:
    // `recordLength` of at least 3 and at most 65537 (the length prefix has 16 bits).
    explicit RecordFile(std::size_t recordLength);
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens the file, creating it when it does not exist.
    RecordFileResult open(const std::filesystem::path& path);
    // Writes what is still buffered and closes. Writes are buffered, so this is where a late
    // failure (disk full) shows; the file is closed either way.
    RecordFileResult close();
    bool isOpen() const { return file_.isOpen(); }
    bool isReadOnly() const { return file_.isReadOnly(); }
    std::size_t recordLength() const { return recordLength_; }
    std::size_t maxTextBytes() const { return recordLength_ - 2; }

    RecordRead read(int recordNumber);
    // Same, decoding into `text` (its capacity is reused across calls).
    RecordReadOutcome readInto(int recordNumber, std::string& text);
    // The first two bytes of the record as a little-endian signed integer.
    RecordInt16 readInt16(int recordNumber);

    // Encodes and stores the text; refuses a text whose code page 932 form is longer than
    // maxTextBytes() (it is never cut) and leaves the file unchanged.
    RecordFileResult write(int recordNumber, std::string_view text);
    // L = 0: the record reads back as the empty text.
    RecordFileResult writeEmpty(int recordNumber);
    RecordFileResult writeInt16(int recordNumber, std::int16_t value);
    RecordFileResult flush();

    // Records in the file, a last partial record counted.
    std::uint64_t recordCount() const;

private:
    struct Located {
        std::uint64_t offset = 0;
        RecordFileResult problem;
    };
    Located locate(int recordNumber) const;
    RecordFileResult store(int recordNumber);
    RecordFileResult describe(RecordFileError error, int recordNumber,
                              const std::string& detail) const;
    RecordReadOutcome failedRead(const RecordFileResult& problem) const;

    std::size_t recordLength_;
    BufferedFile file_;
    Cp932Codec codec_;
    std::string encoded_;
    std::vector<unsigned char> record_; // the bytes of the record being written
};

} // namespace zelkora
