#include "monitor/ui/OutageTable.h"

#include <array>

#include "platform/qt/QtText.h"

namespace {

constexpr std::array<const char*, 3> Headings = {"Lost after", "Back at", "Off for at most"};

}  // namespace

void TOutageTable::SetOutages(std::vector<Monitor::TOutage> outages) {
  beginResetModel();
  outages_ = std::move(outages);
  endResetModel();
}

int TOutageTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(outages_.size());
}

int TOutageTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Headings.size());
}

QVariant TOutageTable::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const Monitor::TOutageTexts texts = Monitor::TextsOf(outages_[static_cast<size_t>(index.row())]);
  const std::string& cell = index.column() == 0 ? texts.LostAfter : index.column() == 1 ? texts.BackAt : texts.OffFor;
  return PlatformQt::ToQt(cell);
}

QVariant TOutageTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  return QString::fromUtf8(Headings[static_cast<size_t>(section)]);
}
