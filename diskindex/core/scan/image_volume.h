#pragma once
// Reading a disc image or archive file into the catalogue as a volume: the
// counterpart of readDrive for a file that is read without mounting it
// (same outcome, same data file, same descriptions question and pass, the
// description files taken from the image), and adding such a volume to the
// catalogue's volume list. A refused image leaves no data file behind and
// the volume list unchanged; the observer hears why through imageFailed.

#include <filesystem>
#include <string>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_header.h"

namespace diskindex::scan {

// Reads image into dataFile: header receives label (empty when the image
// has none), drive type (CD-ROM for disc images, "Unbekannt" for other
// archives), capacity (the image file's size) and free space 0. Codes as
// readDrive's, and those of readImageFile (detail: the refused member).
ReadDriveOutcome readImage(const std::filesystem::path& image, VolumeHeader& header,
                           const std::filesystem::path& dataFile, ScanObserver& observer);

// Adds the image as one new volume named as header says.
AddOutcome addImage(Catalogue& catalogue, const std::filesystem::path& image,
                    const VolumeHeader& header, ScanObserver& observer);

// True for the codes that concern the image file itself (its message names
// the image); the others concern the data file as for a drive.
bool isImageFailure(ResultCode code);

// The German caption and text for a refused image (see isImageFailure).
ErrorMessage imageErrorMessage(ResultCode code, const std::filesystem::path& image,
                               const std::string& member);

}  // namespace diskindex::scan
