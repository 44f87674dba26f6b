#include "faceformat/region.h"

#include <cstring>

#include "faceformat/files.h"
#include "faceformat/files_internal.h"

namespace faceformat {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

class NumberStream {
 public:
  explicit NumberStream(std::string_view s) : p_(s.data()), end_(s.data() + s.size()) {}

  // True when only blanks and line ends are left.
  bool AtEnd() {
    while (p_ < end_ && IsSpace(*p_)) ++p_;
    return p_ == end_;
  }

  enum class Status { kOk, kEnd, kNotANumber, kOverflow };

  Status Next(int32_t& out) {
    while (p_ < end_ && IsSpace(*p_)) ++p_;
    if (p_ == end_) return Status::kEnd;
    bool negative = false;
    if (*p_ == '-' || *p_ == '+') {
      negative = *p_ == '-';
      ++p_;
    }
    const char* digits = p_;
    // Accumulated as a negative number so that -2147483648 fits.
    int64_t v = 0;
    bool overflow = false;
    while (p_ < end_ && unsigned(*p_ - '0') < 10) {
      v = v * 10 - (*p_ - '0');
      if (v < -int64_t(2147483648LL)) {
        overflow = true;
        v = -int64_t(2147483648LL) - 1;  // stays put, keeps the loop from wrapping
      }
      ++p_;
    }
    if (p_ == digits) return Status::kNotANumber;
    if (p_ < end_ && !IsSpace(*p_) && *p_ != ',') return Status::kNotANumber;
    if (!negative) v = -v;
    if (overflow || v > 2147483647LL || v < -2147483648LL) return Status::kOverflow;
    out = int32_t(v);
    // One comma may follow, after blanks.
    while (p_ < end_ && IsBlank(*p_)) ++p_;
    if (p_ < end_ && *p_ == ',') ++p_;
    return Status::kOk;
  }

 private:
  const char* p_;
  const char* end_;
};

Result<std::vector<RegionRun>> Parse(std::string_view bytes) {
  std::vector<RegionRun> runs;
  // A record takes at least six bytes ("0 0 0" and a line end); most take more.
  runs.reserve(std::min<size_t>(bytes.size() / 12 + 1, kMaxRegionRuns));
  NumberStream in(bytes);
  long long record = 0;
  do {
    ++record;
    if (record > kMaxRegionRuns) return Error{"more than 1000000 records", record};
    int32_t v[3];
    for (int i = 0; i < 3; ++i) {
      switch (in.Next(v[i])) {
        case NumberStream::Status::kOk: break;
        case NumberStream::Status::kEnd:
          if (record == 1 && i == 0) return Error{"empty region file", record};
          return Error{"the file ends inside a record", record};
        case NumberStream::Status::kNotANumber: return Error{"not a number", record};
        case NumberStream::Status::kOverflow: return Error{"number outside 32 bits", record};
      }
    }
    runs.push_back(RegionRun{v[0], v[1], v[2]});
  } while (!in.AtEnd());  // blank space after the last record, even after a comma, starts no other record
  return runs;
}

}  // namespace

Result<std::vector<RegionRun>> ParseRegionRuns(std::string_view bytes) {
  return detail::NoThrow([&] { return Parse(bytes); });
}

Result<std::vector<RegionRun>> ReadRegionFile(const std::filesystem::path& path) {
  return detail::NoThrow([&]() -> Result<std::vector<RegionRun>> {
    auto bytes = ReadWholeFile(path, kMaxRegionFileBytes);
    if (!bytes) return bytes.error();
    return Parse(*bytes);
  });
}

std::string FormatRegionRuns(const std::vector<RegionRun>& runs) {
  std::string out;
  out.reserve(runs.size() * 16);
  char buf[40];
  for (const RegionRun& r : runs) {
    int n = 0;
    const int32_t v[3] = {r.left, r.row, r.length};
    for (int i = 0; i < 3; ++i) {
      // Digits backwards into a small buffer; the int64 keeps INT32_MIN's magnitude.
      char tmp[12];
      int k = 0;
      int64_t x = v[i];
      bool negative = x < 0;
      if (negative) x = -x;
      do {
        tmp[k++] = char('0' + x % 10);
        x /= 10;
      } while (x != 0);
      if (negative) buf[n++] = '-';
      while (k > 0) buf[n++] = tmp[--k];
      buf[n++] = i < 2 ? ' ' : '\r';
    }
    buf[n++] = '\n';
    out.append(buf, size_t(n));
  }
  return out;
}

Status WriteRegionFile(const std::filesystem::path& path, const std::vector<RegionRun>& runs) {
  return detail::NoThrow([&] { return WriteFileAtomic(path, FormatRegionRuns(runs)); });
}

}  // namespace faceformat
