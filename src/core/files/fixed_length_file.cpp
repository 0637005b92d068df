#include "files/fixed_length_file.h"

#include <algorithm>

namespace zelkora {
namespace {

// Large enough that a rebuild reading records in order makes a few hundred system calls per
// hundred thousand records, small enough not to matter for memory.
constexpr std::size_t kWindowBytes = std::size_t{128} * 1024;
constexpr std::size_t kMinRecordLength = 3;
constexpr std::size_t kMaxRecordLength = 2 + 0xFFFF;

std::size_t windowCapacity(std::size_t recordLength) {
    const std::size_t length = std::max<std::size_t>(recordLength, 1);
    return std::max(length, kWindowBytes / length * length);
}

std::uint16_t lengthPrefix(std::span<const unsigned char> bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8U));
}

} // namespace

RecordFile::RecordFile(std::size_t recordLength)
    : recordLength_(recordLength), file_(windowCapacity(recordLength)), record_(recordLength) {}

Status RecordFile::open(const std::filesystem::path& path) {
    if (recordLength_ < kMinRecordLength || recordLength_ > kMaxRecordLength) {
        // Records this short or long cannot hold a length prefix and text.
        return Error{ErrorKind::CannotOpen}.inFile(path).because(
            std::make_error_code(std::errc::invalid_argument));
    }
    return file_.open(path);
}

Status RecordFile::close() {
    return file_.close();
}

Status RecordFile::flush() {
    return file_.flush();
}

std::uint64_t RecordFile::recordCount() const {
    return isOpen() ? (file_.size() + recordLength_ - 1) / recordLength_ : 0;
}

Error RecordFile::failure(ErrorKind kind, int recordNumber) const {
    return Error{kind}.inFile(file_.path()).inRecord(recordNumber);
}

Result<std::uint64_t> RecordFile::locate(int recordNumber, ErrorKind whenClosed) const {
    if (!isOpen()) {
        return failure(whenClosed, recordNumber)
            .because(std::make_error_code(std::errc::bad_file_descriptor));
    }
    if (recordNumber < 1 ||
        static_cast<std::uint64_t>(recordNumber) * recordLength_ > BufferedFile::maxExtent()) {
        return failure(ErrorKind::BadRecordNumber, recordNumber);
    }
    return static_cast<std::uint64_t>(recordNumber - 1) * recordLength_;
}

// --- Writing -----------------------------------------------------------------------------------

Status RecordFile::write(int recordNumber, std::string_view text) {
    const Result<std::uint64_t> where = locate(recordNumber, ErrorKind::CannotWrite);
    if (!where.ok()) {
        return where.error();
    }
    if (Status encoded = codec_.encodeInto(text, encoded_); !encoded.ok()) {
        Error error = std::move(encoded).error();
        error.path = file_.path();
        error.record = recordNumber;
        return error;
    }
    return storeEncoded(recordNumber, encoded_);
}

Status RecordFile::writeEncoded(int recordNumber, std::string_view bytes) {
    const Result<std::uint64_t> where = locate(recordNumber, ErrorKind::CannotWrite);
    if (!where.ok()) {
        return where.error();
    }
    return storeEncoded(recordNumber, bytes);
}

Status RecordFile::storeEncoded(int recordNumber, std::string_view bytes) {
    // Cutting would lose the end of the text, possibly half a double-byte character; the
    // caller decides what to do instead.
    if (bytes.size() > maxTextBytes()) {
        return failure(ErrorKind::TextTooLong, recordNumber)
            .counting(static_cast<std::int64_t>(bytes.size()));
    }
    record_[0] = static_cast<unsigned char>(bytes.size() & 0xFFU);
    record_[1] = static_cast<unsigned char>(bytes.size() >> 8U);
    const auto end = std::copy(bytes.begin(), bytes.end(), record_.begin() + 2);
    std::fill(end, record_.end(), static_cast<unsigned char>(0));
    return store(recordNumber);
}

Status RecordFile::writeEmpty(int recordNumber) {
    return writeInt16(recordNumber, 0);
}

Status RecordFile::writeInt16(int recordNumber, std::int16_t value) {
    const Result<std::uint64_t> where = locate(recordNumber, ErrorKind::CannotWrite);
    if (!where.ok()) {
        return where.error();
    }
    const auto bits = static_cast<std::uint16_t>(value);
    std::fill(record_.begin(), record_.end(), static_cast<unsigned char>(0));
    record_[0] = static_cast<unsigned char>(bits & 0xFFU);
    record_[1] = static_cast<unsigned char>(bits >> 8U);
    return store(recordNumber);
}

Status RecordFile::store(int recordNumber) {
    const auto offset = static_cast<std::uint64_t>(recordNumber - 1) * recordLength_;
    if (Status written = file_.write(offset, record_); !written.ok()) {
        return std::move(written).error().inRecord(recordNumber);
    }
    return {};
}

// --- Reading -----------------------------------------------------------------------------------

Result<RecordRead> RecordFile::read(int recordNumber) {
    RecordRead result;
    Result<RecordReadOutcome> outcome = readInto(recordNumber, result.text);
    if (!outcome.ok()) {
        return std::move(outcome).error();
    }
    result.outcome = outcome.value();
    return result;
}

Result<RecordReadOutcome> RecordFile::readInto(int recordNumber, std::string& text) {
    text.clear();
    std::string_view encoded;
    Result<RecordReadOutcome> stored = readStored(recordNumber, encoded);
    if (!stored.ok() || stored->status == RecordReadStatus::BeyondEnd) {
        return stored;
    }
    RecordReadOutcome outcome = stored.value();
    outcome.damage.invalidBytes = !codec_.decodeInto(encoded, text); // nothing left: valid
    const RecordDamage& damage = outcome.damage;
    if (damage.lengthTooLarge || damage.truncated || damage.invalidBytes) {
        outcome.status = RecordReadStatus::Damaged;
    }
    return outcome;
}

Result<RecordReadOutcome> RecordFile::readStored(int recordNumber, std::string_view& encoded) {
    encoded = {};
    const Result<std::uint64_t> where = locate(recordNumber, ErrorKind::CannotRead);
    if (!where.ok()) {
        return where.error();
    }
    if (!codec_.available()) {
        return failure(ErrorKind::ConverterUnavailable, recordNumber);
    }
    const std::uint64_t offset = where.value();
    if (offset >= file_.size()) {
        return RecordReadOutcome{RecordReadStatus::BeyondEnd, {}};
    }
    std::span<const unsigned char> bytes;
    if (Status status = file_.read(offset, recordLength_, bytes); !status.ok()) {
        return std::move(status).error().inRecord(recordNumber);
    }
    RecordReadOutcome outcome;
    if (bytes.size() < 2) {
        outcome.damage.truncated = true;
    } else {
        // Take no more than the record and the file hold, whatever the prefix claims.
        std::size_t length = lengthPrefix(bytes);
        if (length > maxTextBytes()) {
            outcome.damage.lengthTooLarge = true;
            length = maxTextBytes();
        }
        if (length > bytes.size() - 2) {
            outcome.damage.truncated = true;
            length = bytes.size() - 2;
        }
        encoded = std::string_view(reinterpret_cast<const char*>(bytes.data() + 2), length);
    }
    const RecordDamage& damage = outcome.damage;
    if (damage.lengthTooLarge || damage.truncated) {
        outcome.status = RecordReadStatus::Damaged;
    }
    return outcome;
}

Result<RecordInt16> RecordFile::readInt16(int recordNumber) {
    const Result<std::uint64_t> where = locate(recordNumber, ErrorKind::CannotRead);
    if (!where.ok()) {
        return where.error();
    }
    if (where.value() >= file_.size()) {
        return RecordInt16{0, {RecordReadStatus::BeyondEnd, {}}};
    }
    std::span<const unsigned char> bytes;
    if (Status status = file_.read(where.value(), 2, bytes); !status.ok()) {
        return std::move(status).error().inRecord(recordNumber);
    }
    if (bytes.size() < 2) {
        RecordInt16 result;
        result.outcome.status = RecordReadStatus::Damaged;
        result.outcome.damage.truncated = true;
        return result;
    }
    return RecordInt16{static_cast<std::int16_t>(lengthPrefix(bytes)), {}};
}

} // namespace zelkora
