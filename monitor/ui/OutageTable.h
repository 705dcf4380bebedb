// The outages as the rows of a table view: lost after, back at, off for at
// most, went down. Cell texts are made only for the rows the view asks for.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "monitor/Outages.h"

class TOutageTable : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetOutages(std::vector<Monitor::TOutage> outages);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<Monitor::TOutage> outages_;
};
