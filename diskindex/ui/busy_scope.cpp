#include "diskindex/ui/busy_scope.h"

#include <QVariant>

namespace diskindex::ui {
namespace {

constexpr const char* kDepth = "diskindexBusyDepth";

int depth(const QWidget* window) {
  return window ? window->property(kDepth).toInt() : 0;
}

}  // namespace

BusyScope::BusyScope(QWidget* window) : m_window(window) {
  if (!m_window) return;
  const int outer = depth(m_window);
  m_window->setProperty(kDepth, outer + 1);
  if (outer > 0) return;
  for (QWidget* child : m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow() || !child->isEnabled()) continue;
    child->setEnabled(false);
    m_disabled.emplace_back(child);
  }
}

BusyScope::~BusyScope() {
  if (!m_window) return;
  m_window->setProperty(kDepth, depth(m_window) - 1);
  for (const QPointer<QWidget>& child : m_disabled) {
    if (child) child->setEnabled(true);
  }
}

bool BusyScope::isBusy(const QWidget* window) {
  return depth(window) > 0;
}

}  // namespace diskindex::ui
