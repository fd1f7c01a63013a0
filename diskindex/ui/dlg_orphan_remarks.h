#pragma once
// TDlgOrphanRemarks shows, after a rescan, the remarks whose directory or
// file is no longer on the volume: one row per remark with its path and
// text, and where they were saved. It only shows; the list is the rescan's.

#include <QDialog>
#include <filesystem>
#include <vector>

#include "diskindex/core/scan/remark_carry.h"

namespace diskindex::ui {

class TDlgOrphanRemarks : public QDialog {
  Q_OBJECT
 public:
  TDlgOrphanRemarks(const std::vector<scan::OrphanRemark>& orphans,
                    const std::filesystem::path& savedTo, QWidget* parent = nullptr);
};

}  // namespace diskindex::ui
