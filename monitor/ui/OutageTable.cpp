#include "monitor/ui/OutageTable.h"

#include <array>

#include "platform/qt/QtText.h"

namespace {

constexpr std::array<const char*, 4> Headings = {"Lost after", "Back at", "Off for at most", "Went down"};

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
  const std::array<const std::string*, Headings.size()> cells = {&texts.LostAfter, &texts.BackAt, &texts.OffFor,
                                                                 &texts.WentDown};
  return PlatformQt::ToQt(*cells.at(static_cast<size_t>(index.column())));
}

QVariant TOutageTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  return QString::fromUtf8(Headings[static_cast<size_t>(section)]);
}
