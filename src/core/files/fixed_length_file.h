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

enum class RecordReadStatus : std::uint8_t {
    Ok,        // the record's text; empty when written empty or never written below the end
    BeyondEnd, // the record lies wholly past the end of the file; the text is empty
    Damaged,   // the text was recovered as far as the record allowed; see RecordDamage
};

struct RecordDamage {
    bool lengthTooLarge = false; // L is more than the record can hold
    bool truncated = false;      // the file ends before the L bytes of text
    bool invalidBytes = false;   // the text is not valid code page 932
};

// What a read found. A read that found nothing at all (the file not open, a bad record number,
// a read error) is an Error instead.
struct RecordReadOutcome {
    RecordReadStatus status = RecordReadStatus::Ok;
    RecordDamage damage;
};

struct RecordRead {
    std::string text;
    RecordReadOutcome outcome;
};

struct RecordInt16 {
    std::int16_t value = 0;
    RecordReadOutcome outcome;
};

// Every failure names the file and, where there is one, the record. Writes fail with
// TextTooLong or Unencodable (nothing written), CannotWrite (the file refused the bytes: a full
// disk, a read-only file) or BadRecordNumber.
class RecordFile {
public:
    // `recordLength` of at least 3 and at most 65537 (the length prefix has 16 bits).
    explicit RecordFile(std::size_t recordLength);
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens the file, creating it when it does not exist.
    [[nodiscard]] Status open(const std::filesystem::path& path);
    // Writes what is still buffered and closes. Writes are buffered, so this is where a late
    // failure (disk full) shows; the file is closed either way.
    Status close();
    bool isOpen() const { return file_.isOpen(); }
    bool isReadOnly() const { return file_.isReadOnly(); }
    std::size_t recordLength() const { return recordLength_; }
    const std::filesystem::path& path() const { return file_.path(); }
    std::size_t maxTextBytes() const { return recordLength_ - 2; }

    Result<RecordRead> read(int recordNumber);
    // Same, decoding into `text` (its capacity is reused across calls).
    Result<RecordReadOutcome> readInto(int recordNumber, std::string& text);
    // The record's text as stored, in code page 932, without decoding it: what readInto() would
    // decode, with the same outcome except that invalid bytes are not looked for. The view is
    // valid until the next call on this object.
    Result<RecordReadOutcome> readStored(int recordNumber, std::string_view& encoded);
    // The first two bytes of the record as a little-endian signed integer.
    Result<RecordInt16> readInt16(int recordNumber);

    // Encodes and stores the text; refuses a text whose code page 932 form is longer than
    // maxTextBytes() (it is never cut) and leaves the file unchanged.
    Status write(int recordNumber, std::string_view text);
    // Stores a text already in code page 932, as write() stores the form it encodes.
    Status writeEncoded(int recordNumber, std::string_view bytes);
    // L = 0: the record reads back as the empty text.
    Status writeEmpty(int recordNumber);
    Status writeInt16(int recordNumber, std::int16_t value);
    Status flush();
    // After a failed write or flush: drops what could not be written (see BufferedFile).
    Status discardUnwritten() { return file_.discardUnwritten(); }

    // Records in the file, a last partial record counted.
    std::uint64_t recordCount() const;
    // Records in the file in full: a last partial record is not counted.
    std::uint64_t wholeRecordCount() const { return isOpen() ? file_.size() / recordLength_ : 0; }

private:
    // The byte offset of a record, or why there is none.
    Result<std::uint64_t> locate(int recordNumber, ErrorKind whenClosed) const;
    Status store(int recordNumber);
    Status storeEncoded(int recordNumber, std::string_view bytes);
    Error failure(ErrorKind kind, int recordNumber) const;

    std::size_t recordLength_;
    BufferedFile file_;
    Cp932Codec codec_;
    std::string encoded_;
    std::vector<unsigned char> record_; // the bytes of the record being written
};

} // namespace zelkora
