#pragma once
// Finding catalogued volumes by what they are rather than by name: by the
// identity of their file system (the volumes in the drives now, or the one a
// path lies on) and by free space (the overview's second order and the
// command line's filter, for people who look for a disc with room).
//
// It reads the volume records and the drive table only; opening a volume
// found this way is the caller's business.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/volume_list.h"
#include "platform/drives.h"

namespace diskindex {

// The list positions of the volumes with this identity, in list order; none
// for an unknown identity.
std::vector<std::size_t> volumesWithId(const VolumeList& volumes, const platform::FileSystemId& id);

struct RecognisedVolume {
  char driveLetter = 'C';
  std::size_t volumeIndex = 0;
  bool operator==(const RecognisedVolume&) const = default;
};

// Every drive whose root is a mounted file system with a known identity,
// paired with every catalogued volume of that identity: by drive letter,
// then list order.
std::vector<RecognisedVolume> recogniseVolumes(const VolumeList& volumes,
                                               const platform::DriveTable& drives);

// The texts of "Datenträ&ger erkennen": the caption of its boxes, the box
// when nothing matched, the question when several did, and one choice of
// it ("E:  Fotos 2024").
inline constexpr std::string_view kRecogniseCaption = "Datenträger erkennen";
std::string recogniseNoneText();
std::string recogniseChoiceText();
std::string recognisedItemText(const RecognisedVolume& found, const VolumeList& volumes);

enum class OverviewOrder { Name, FreeSpace };

// Puts rows (list positions) into the overview's order. By free space the
// most free space comes first; volumes whose free space is not known follow
// the others; equal free space keeps the list (name) order, so the order is
// total and the same on every run.
void orderOverviewRows(std::vector<std::size_t>& rows, const VolumeList& volumes,
                       OverviewOrder order);

// A row of the overview: the volume's name, and in the free-space order its
// free space as well, in its unit form ("Fotos 2024  (1,4 MB frei)"; nothing added
// when the free space is not known).
std::string overviewRowText(const VolumeRecord& volume, OverviewOrder order);

// True when the volume is known to have at least bytes free.
bool hasFreeSpace(const VolumeRecord& volume, std::int64_t bytes);

}  // namespace diskindex
