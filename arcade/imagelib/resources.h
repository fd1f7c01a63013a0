// Resources of the arcade game: bitmaps and data blocks addressed by type and
// number, as the program file carried them. IResources is the one way the
// image library and the renderer reach them; the program implements it over
// its embedded Qt resources, tests over a directory or memory.
// File names in a directory: "bitmap_<id>.bmp" and "wave_<id>.bin".
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace arcade {

enum class ResourceType { Bitmap, Wave };

class IResources {
 public:
  virtual ~IResources() = default;
  // Fills out with the resource's bytes; false when there is none.
  virtual bool Load(ResourceType type, int id, std::vector<std::uint8_t>& out) const = 0;
};

std::string resourceFileName(ResourceType type, int id);

class DirectoryResources : public IResources {
 public:
  explicit DirectoryResources(std::filesystem::path dir) : m_dir(std::move(dir)) {}
  bool Load(ResourceType type, int id, std::vector<std::uint8_t>& out) const override;

 private:
  std::filesystem::path m_dir;
};

class MemoryResources : public IResources {
 public:
  void Add(ResourceType type, int id, std::vector<std::uint8_t> data) {
    m_items[{type, id}] = std::move(data);
  }
  bool Load(ResourceType type, int id, std::vector<std::uint8_t>& out) const override;

 private:
  std::map<std::pair<ResourceType, int>, std::vector<std::uint8_t>> m_items;
};

// Reads a whole file of at most maxBytes; false when it cannot be opened or
// is larger.
bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                   std::uintmax_t maxBytes);

}  // namespace arcade
