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

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

std::uint16_t lengthPrefix(std::span<const unsigned char> bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8U));
}

} // namespace

RecordFile::RecordFile(std::size_t recordLength)
    : recordLength_(recordLength), file_(windowCapacity(recordLength)), record_(recordLength) {}

RecordFileResult RecordFile::open(const std::filesystem::path& path) {
    if (recordLength_ < kMinRecordLength || recordLength_ > kMaxRecordLength) {
        return {RecordFileError::OpenFailed, pathText(path) + ": records of " +
                                                 std::to_string(recordLength_) +
                                                 " bytes cannot hold a length prefix and text"};
    }
    const IoStatus status = file_.open(path);
    if (!status.ok) {
        return {RecordFileError::OpenFailed, status.message};
    }
    return {};
}

RecordFileResult RecordFile::close() {
    const IoStatus status = file_.close();
    if (!status.ok) {
        return {RecordFileError::WriteFailed, status.message};
    }
    return {};
}

RecordFileResult RecordFile::flush() {
    const IoStatus status = file_.flush();
    if (!status.ok) {
        return {RecordFileError::WriteFailed, status.message};
    }
    return {};
}

std::uint64_t RecordFile::recordCount() const {
    return isOpen() ? (file_.size() + recordLength_ - 1) / recordLength_ : 0;
}

RecordFileResult RecordFile::describe(RecordFileError error, int recordNumber,
                                      const std::string& detail) const {
    return {error,
            pathText(file_.path()) + ", record " + std::to_string(recordNumber) + ": " + detail};
}

RecordFile::Located RecordFile::locate(int recordNumber) const {
    if (!isOpen()) {
        return {0, {RecordFileError::NotOpen, "the record file is not open"}};
    }
    if (recordNumber < 1 ||
        static_cast<std::uint64_t>(recordNumber) * recordLength_ > BufferedFile::maxExtent()) {
        return {0,
                describe(RecordFileError::BadRecordNumber, recordNumber, "no such record number")};
    }
    return {static_cast<std::uint64_t>(recordNumber - 1) * recordLength_, {}};
}

RecordReadOutcome RecordFile::failedRead(const RecordFileResult& problem) const {
    return {RecordReadStatus::Failed, {}, problem.message};
}

// --- Writing -----------------------------------------------------------------------------------

RecordFileResult RecordFile::write(int recordNumber, std::string_view text) {
    const Located where = locate(recordNumber);
    if (!where.problem.ok()) {
        return where.problem;
    }
    const Cp932EncodeStatus encoded = codec_.encodeInto(text, encoded_);
    if (encoded.error == Cp932EncodeError::ConverterUnavailable) {
        return describe(RecordFileError::WriteFailed, recordNumber, encoded.describe());
    }
    if (!encoded.ok()) {
        return describe(RecordFileError::Unencodable, recordNumber, encoded.describe());
    }
    // Cutting would lose the end of the text, possibly half a double-byte character; the
    // caller decides what to do instead.
    if (encoded_.size() > maxTextBytes()) {
        return describe(RecordFileError::TooLong, recordNumber,
                        "the text takes " + std::to_string(encoded_.size()) +
                            " bytes, a record holds " + std::to_string(maxTextBytes()));
    }
    std::fill(record_.begin(), record_.end(), static_cast<unsigned char>(0));
    record_[0] = static_cast<unsigned char>(encoded_.size() & 0xFFU);
    record_[1] = static_cast<unsigned char>(encoded_.size() >> 8U);
    std::copy(encoded_.begin(), encoded_.end(), record_.begin() + 2);
    return store(recordNumber);
}

RecordFileResult RecordFile::writeEmpty(int recordNumber) {
    return writeInt16(recordNumber, 0);
}

RecordFileResult RecordFile::writeInt16(int recordNumber, std::int16_t value) {
    const Located where = locate(recordNumber);
    if (!where.problem.ok()) {
        return where.problem;
    }
    const auto bits = static_cast<std::uint16_t>(value);
    std::fill(record_.begin(), record_.end(), static_cast<unsigned char>(0));
    record_[0] = static_cast<unsigned char>(bits & 0xFFU);
    record_[1] = static_cast<unsigned char>(bits >> 8U);
    return store(recordNumber);
}

RecordFileResult RecordFile::store(int recordNumber) {
    const auto offset = static_cast<std::uint64_t>(recordNumber - 1) * recordLength_;
    const IoStatus status = file_.write(offset, record_);
    if (!status.ok) {
        return describe(RecordFileError::WriteFailed, recordNumber, status.message);
    }
    return {};
}

// --- Reading -----------------------------------------------------------------------------------

RecordRead RecordFile::read(int recordNumber) {
    RecordRead result;
    result.outcome = readInto(recordNumber, result.text);
    return result;
}

RecordReadOutcome RecordFile::readInto(int recordNumber, std::string& text) {
    text.clear();
    const Located where = locate(recordNumber);
    if (!where.problem.ok()) {
        return failedRead(where.problem);
    }
    if (!codec_.available()) {
        return failedRead(describe(RecordFileError::ReadFailed, recordNumber,
                                   "the code page 932 converter is not available"));
    }
    if (where.offset >= file_.size()) {
        return {RecordReadStatus::BeyondEnd, {}, {}};
    }
    std::span<const unsigned char> bytes;
    if (const IoStatus status = file_.read(where.offset, recordLength_, bytes); !status.ok) {
        return failedRead({RecordFileError::ReadFailed, status.message});
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
        const std::string_view encoded(reinterpret_cast<const char*>(bytes.data() + 2), length);
        outcome.damage.invalidBytes = !codec_.decodeInto(encoded, text);
    }
    const RecordDamage& damage = outcome.damage;
    if (damage.lengthTooLarge || damage.truncated || damage.invalidBytes) {
        outcome.status = RecordReadStatus::Damaged;
    }
    return outcome;
}

RecordInt16 RecordFile::readInt16(int recordNumber) {
    const Located where = locate(recordNumber);
    if (!where.problem.ok()) {
        return {0, failedRead(where.problem)};
    }
    if (where.offset >= file_.size()) {
        return {0, {RecordReadStatus::BeyondEnd, {}, {}}};
    }
    std::span<const unsigned char> bytes;
    if (const IoStatus status = file_.read(where.offset, 2, bytes); !status.ok) {
        return {0, failedRead({RecordFileError::ReadFailed, status.message})};
    }
    if (bytes.size() < 2) {
        RecordInt16 result;
        result.outcome.status = RecordReadStatus::Damaged;
        result.outcome.damage.truncated = true;
        return result;
    }
    return {static_cast<std::int16_t>(lengthPrefix(bytes)), {}};
}

} // namespace zelkora
