// Feeds arbitrary bytes to the comment file reader. A file that loads must
// save and load again (from disk) to the same remarks.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>

#include "diskindex/core/comment_file.h"

namespace {

const std::filesystem::path& workDir() {
  static const std::filesystem::path dir = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("fuzz-comment-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace diskindex;
  TFileCommentList remarks;
  if (parseRemarks(std::span(data, size), remarks) != ResultCode::Ok) return 0;
  for (std::size_t i = 1; i < remarks.size(); ++i) {
    if (!(remarks.records()[i - 1].key < remarks.records()[i].key)) std::abort();
  }
  for (const Remark& remark : remarks.records()) {
    if (remark.text.empty() || remark.text.size() > kMaxRemarkTextBytes) return 0;
  }
  const std::filesystem::path copy = workDir() / "CD000002.CMT";
  if (saveRemarks(copy, remarks) != ResultCode::Ok) std::abort();
  TFileCommentList again;
  if (loadRemarks(copy, again) != ResultCode::Ok) std::abort();
  if (again.records() != remarks.records()) std::abort();
  return 0;
}
