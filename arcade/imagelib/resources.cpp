#include "arcade/imagelib/resources.h"

#include <fstream>

namespace arcade {

namespace {
constexpr std::uintmax_t kMaxResourceBytes = 64u << 20;
}

std::string resourceFileName(ResourceType type, int id) {
  return (type == ResourceType::Bitmap ? "bitmap_" : "wave_") + std::to_string(id) +
         (type == ResourceType::Bitmap ? ".bmp" : ".bin");
}

bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                   std::uintmax_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uintmax_t>(size) > maxBytes) return false;
  in.seekg(0, std::ios::beg);
  out.resize(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(out.data()), size);
  return static_cast<bool>(in) || size == 0;
}

bool DirectoryResources::Load(ResourceType type, int id, std::vector<std::uint8_t>& out) const {
  return readWholeFile(m_dir / resourceFileName(type, id), out, kMaxResourceBytes);
}

bool MemoryResources::Load(ResourceType type, int id, std::vector<std::uint8_t>& out) const {
  auto it = m_items.find({type, id});
  if (it == m_items.end()) return false;
  out = it->second;
  return true;
}

}  // namespace arcade
