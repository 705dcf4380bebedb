#include "monitor/ui/OutagesWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "monitor/Outages.h"
#include "monitor/ui/MonthBars.h"
#include "monitor/ui/OutageTable.h"
#include "monitor/ui/WindowAccess.h"
#include "monitor/ui/WindowLook.h"
#include "platform/desktop/EventErrors.h"
#include "platform/desktop/ProgramFonts.h"
#include "platform/desktop/ProgramIcon.h"
#include "platform/qt/Controls.h"
#include "platform/qt/QtText.h"

TFOutages* FOutages = nullptr;

namespace {

// Columns as wide as a stamp or their heading, set once: sizing them to
// their contents would read every row of a long log.
void SizeColumns(QTableView* grid) {
  const QFontMetrics metrics = grid->fontMetrics();
  const int stamp = metrics.horizontalAdvance(QStringLiteral("0000-00-00 00:00"));
  for (int column = 0; column < grid->model()->columnCount(); ++column) {
    const QString heading = grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    grid->setColumnWidth(column, std::max(stamp, metrics.horizontalAdvance(heading)) + metrics.averageCharWidth() * 4);
  }
}

}  // namespace

TFOutages::TFOutages() {
  FOutages = this;
  setWindowTitle(QStringLiteral("Tallyvane outages"));
  setWindowIcon(Desktop::ProgramIcon());
  setFont(Desktop::SansSerifPixelFont(11, false));
  Monitor::PlaceWindow(this, 360, 80, 560, 520);

  MainMenu1 = menuBar();
  Close1 = MainMenu1->addAction(QStringLiteral("&Close"));
  Monitor::CloseOnEscape(Close1);
  Monitor::ShowFocusAlways(this);

  auto* client = new QWidget(this);
  Monitor::SetBackground(client, Monitor::Silver);
  setCentralWidget(client);

  Label1 = PlatformQt::PlainLabel(client, QString());
  Label1->setWordWrap(true);

  table_ = new TOutageTable(this);
  StringGrid1 = new QTableView(client);
  StringGrid1->setModel(table_);
  StringGrid1->setAccessibleName(QStringLiteral("Outages"));
  // Tab goes on to the chart; the arrows move between the cells.
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setWordWrap(false);
  StringGrid1->horizontalHeader()->setStretchLastSection(true);
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
  SizeColumns(StringGrid1);

  Label2 = PlatformQt::PlainLabel(client, QStringLiteral("Outages per month, the last twelve months"));
  Chart1 = new TMonthBars(client);
  Chart1->setAccessibleName(Label2->text());

  auto* column = new QVBoxLayout(client);
  column->addWidget(Label1);
  column->addWidget(StringGrid1, 1);
  column->addWidget(Label2);
  column->addWidget(Chart1);

  connect(Close1, &QAction::triggered, this, [this] { Desktop::RunHandler([this] { Close1Click(); }); });
}

TFOutages::~TFOutages() {
  if (FOutages == this) FOutages = nullptr;
}

void TFOutages::ShowOutages(std::string_view logText, const Cdatlib::TCalDateTime& now) {
  Monitor::TOutageRecord record = Monitor::ReadOutages(logText);
  Label1->setText(PlatformQt::ToQt(Monitor::OutageSummary(record)));
  // Read out when the window appears, and with the table.
  setAccessibleDescription(Label1->text());
  StringGrid1->setAccessibleDescription(Label1->text());
  Chart1->SetMonths(Monitor::OutagesPerMonth(record, now));
  table_->SetOutages(std::move(record.Outages));
  // The latest outage is the one the user asks about first: the keyboard
  // starts on it, and the view shows it.
  const QModelIndex newest = table_->index(table_->rowCount() - 1, 0);
  StringGrid1->setCurrentIndex(newest);
  StringGrid1->scrollTo(newest);
}

void TFOutages::Close1Click() { close(); }
