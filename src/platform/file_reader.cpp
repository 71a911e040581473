#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "platform/raw_file.h"

namespace platform {

FileReader::~FileReader() {
  close();
}

bool FileReader::open(std::u16string_view path) {
  close();
  handle_ = detail::RawOpenForReading(path);
  return isOpen();
}

void FileReader::close() {
  if (isOpen()) detail::RawClose(handle_);
  handle_ = kNoHandle;
  position_ = 0;
  bufferStart_ = 0;
  bufferLength_ = 0;
}

std::size_t FileReader::read(void* destination, std::size_t n) {
  if (!isOpen() || position_ < 0) return 0;
  auto* out = static_cast<std::uint8_t*>(destination);
  std::size_t copied = 0;
  while (copied < n) {
    const std::int64_t bufferEnd = bufferStart_ + static_cast<std::int64_t>(bufferLength_);
    if (position_ >= bufferStart_ && position_ < bufferEnd) {
      const auto offset = static_cast<std::size_t>(position_ - bufferStart_);
      const std::size_t take = std::min(n - copied, bufferLength_ - offset);
      std::memcpy(out + copied, buffer_.data() + offset, take);
      copied += take;
      position_ += static_cast<std::int64_t>(take);
      continue;
    }
    // Large reads go straight to the caller; small ones refill the buffer at the position.
    if (n - copied >= kBufferSize) {
      const std::size_t got = detail::RawReadAt(handle_, position_, out + copied, n - copied);
      copied += got;
      position_ += static_cast<std::int64_t>(got);
      break;
    }
    buffer_.resize(kBufferSize);
    bufferStart_ = position_;
    bufferLength_ = detail::RawReadAt(handle_, position_, buffer_.data(), kBufferSize);
    if (bufferLength_ == 0) break;
  }
  return copied;
}

std::size_t FileReader::readAt(std::int64_t offset, void* destination, std::size_t n) {
  if (!isOpen() || offset < 0 || n == 0) return 0;
  return detail::RawReadAt(handle_, offset, destination, n);
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::u16string_view path) {
  FileReader reader;
  if (!reader.open(path) || reader.size() > kMaxWholeFileBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(reader.size()));
  bytes.resize(reader.read(bytes.data(), bytes.size()));
  return bytes;
}

std::uint64_t FileReader::size() const {
  return isOpen() ? detail::RawSize(handle_) : 0;
}

std::optional<LocalTime> FileReader::lastWriteLocalTime() const {
  if (!isOpen()) return std::nullopt;
  return detail::RawLastWriteLocalTime(handle_);
}

}  // namespace platform
