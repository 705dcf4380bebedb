// The calendar window's construction: both pages, their controls and the
// connections of their handlers.
#include "dialogs/cal/TFCal.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/cal/Transition.h"
#include "platform/desktop/ProgramFonts.h"
#include "platform/qt/Controls.h"
#include "platform/qt/QtText.h"

namespace cal {

namespace {

QFrame* MakeRow(QWidget* page, int height, const char* name) {
  auto* row = new QFrame(page);
  row->setObjectName(name);
  row->setFrameStyle(QFrame::Panel | QFrame::Raised);
  row->setFixedHeight(height);
  return row;
}

QToolButton* MakeArrowButton(QWidget* row, Qt::ArrowType arrow, int left, const char* name) {
  auto* button = new QToolButton(row);
  button->setObjectName(name);
  button->setArrowType(arrow);
  button->setGeometry(left, 5, 20, 20);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QLineEdit* MakeEdit(QWidget* parent, QRect place, const QFont& font, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setGeometry(place);
  edit->setFont(font);
  return edit;
}

QAction* MakeItem(QMenu* menu, const std::string& caption, const char* name) {
  QAction* item = menu->addAction(PlatformQt::ToQt(caption));
  item->setObjectName(name);
  return item;
}

}  // namespace

TFCal::TFCal(QWidget* parent) : QDialog(parent) {
  setObjectName("FCal");
  setWindowTitle(" Calendar");
  setFixedSize(371, 390);
  FCal = this;
}

TFCal::~TFCal() {
  if (FCal == this) FCal = nullptr;
}

void TFCal::setVisible(bool visible) {
  if (visible) EnsureBuilt();
  QDialog::setVisible(visible);
}

// The pages wait for their first use: their grid, boxes and fonts cost more
// start-up time and memory than the rest of the program's hidden windows
// together, for a window that this program's own menus never open.
void TFCal::EnsureBuilt() {
  if (built_) return;
  built_ = true;
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setTabPosition(QTabWidget::South);
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName("TabSheet1");
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName("TabSheet2");
  PageControl1->addTab(TabSheet1, "Calendar");
  PageControl1->addTab(TabSheet2, "Options");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(PageControl1);

  BuildCalendarPage();
  BuildOptionsPage();

  connect(SpeedButton1, &QToolButton::clicked, this, &TFCal::SpeedButton1Click);
  connect(SpeedButton3, &QToolButton::clicked, this, &TFCal::SpeedButton3Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &TFCal::SpeedButton2Click);
  connect(SpeedButton4, &QToolButton::clicked, this, &TFCal::SpeedButton4Click);
  connect(YearBtn, &QPushButton::clicked, this, &TFCal::YearBtnClick);
  connect(Panel1, &QWidget::customContextMenuRequested, this, &TFCal::Panel1ContextPopup);
  connect(MonthBtn, &QPushButton::clicked, this, &TFCal::MonthBtnClick);
  connect(Panel2, &QWidget::customContextMenuRequested, this, &TFCal::Panel2ContextPopup);
  connect(PopupMenu2, &QMenu::triggered, this, &TFCal::January1Click);
  connect(Button1, &QPushButton::clicked, this, &TFCal::Button1Click);
  // A click on a new cell and a keyboard move both change the current cell; a
  // click on the current cell changes nothing and comes as a click only.
  connect(StringGrid1, &QTableWidget::currentCellChanged, this, &TFCal::StringGrid1Click);
  connect(StringGrid1, &QTableWidget::cellClicked, this, &TFCal::StringGrid1Click);
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, &TFCal::StringGrid1DblClick);
  connect(okbtn, &QPushButton::clicked, this, &TFCal::okbtnClick);
  connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
  connect(PageControl1, &QTabWidget::currentChanged, this, &TFCal::PageControl1Change);

  connect(DeftsBtn, &QPushButton::clicked, this, &TFCal::DeftsBtnClick);
  connect(SpainPortugalItalyPoland1, &QAction::triggered, this, &TFCal::SpainPortugalItalyPoland1Click);
  connect(France1, &QAction::triggered, this, &TFCal::France1Click);
  connect(DenmarkNorway1, &QAction::triggered, this, &TFCal::DenmarkNorway1Click);
  connect(objectRadioButton2TRadioButton1, &QAction::triggered, this, &TFCal::objectRadioButton2TRadioButton1Click);
  connect(Button2, &QPushButton::clicked, this, &TFCal::Button2Click);
  connect(Button4, &QPushButton::clicked, this, &TFCal::Button4Click);

  FormCreate();
}

void TFCal::BuildCalendarPage() {
  const QFont buttonFont = Desktop::ArialFont(13, true);

  Panel1 = MakeRow(TabSheet1, 31, "Panel1");
  Panel1->setToolTip("Right click to select year");
  Panel1->setContextMenuPolicy(Qt::CustomContextMenu);
  SpeedButton1 = MakeArrowButton(Panel1, Qt::LeftArrow, 108, "SpeedButton1");
  YearBtn = PlatformQt::DialogButton(Panel1, "", QRect(128, 5, 83, 20), buttonFont, "YearBtn");
  SpeedButton3 = MakeArrowButton(Panel1, Qt::RightArrow, 211, "SpeedButton3");

  Panel2 = MakeRow(TabSheet1, 30, "Panel2");
  Panel2->setToolTip("Right click to select month");
  Panel2->setContextMenuPolicy(Qt::CustomContextMenu);
  SpeedButton2 = MakeArrowButton(Panel2, Qt::LeftArrow, 108, "SpeedButton2");
  MonthBtn = PlatformQt::DialogButton(Panel2, "", QRect(128, 5, 83, 20), buttonFont, "MonthBtn");
  SpeedButton4 = MakeArrowButton(Panel2, Qt::RightArrow, 211, "SpeedButton4");

  // The headers are hidden before the cells and the font come: a visible
  // header would measure the text of every section at each of those changes,
  // in a window that nobody may ever open.
  StringGrid1 = new QTableWidget(TabSheet1);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
  StringGrid1->horizontalHeader()->setDefaultSectionSize(48);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setMinimumSectionSize(1);
  StringGrid1->verticalHeader()->setDefaultSectionSize(24);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->setRowCount(7);
  StringGrid1->setColumnCount(7);
  StringGrid1->setFont(Desktop::MonospacedFont(13, true));
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setShowGrid(true);
  for (int row = 0; row < 7; ++row) {
    for (int column = 0; column < 7; ++column) {
      auto* cell = new QTableWidgetItem;
      if (row == 0) {
        // The header row is fixed: it can neither be clicked nor reached by the keys.
        cell->setFlags(Qt::NoItemFlags);
        cell->setBackground(palette().button());
        cell->setForeground(palette().buttonText());
      } else {
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      }
      StringGrid1->setItem(row, column, cell);
    }
  }
  StringGrid1->setCurrentCell(1, 0);

  Panel3 = MakeRow(TabSheet1, 43, "Panel3");
  Button1 = PlatformQt::DialogButton(Panel3, "Today", QRect(12, 9, 55, 25), buttonFont, "Button1");
  // Wider than designed: the desktop's fallback fonts need the room for a
  // whole "yyyy-mm-dd  Www".
  Edit1 = MakeEdit(Panel3, QRect(74, 9, 143, 24), buttonFont, "Edit1");
  Edit1->installEventFilter(this);
  okbtn = PlatformQt::DialogButton(Panel3, "OK", QRect(222, 9, 55, 25), buttonFont, "okbtn");
  okbtn->setDefault(true);
  Button3 = PlatformQt::DialogButton(Panel3, "Cancel", QRect(288, 9, 55, 25), buttonFont, "Button3");

  auto* rows = new QVBoxLayout(TabSheet1);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(0);
  rows->addWidget(Panel1);
  rows->addWidget(Panel2);
  rows->addWidget(StringGrid1, 1);
  rows->addWidget(Panel3);
  StringGrid1->setFocus();

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  QAction** const months[] = {&January1, &February1, &March1,     &April1,   &May1,      &June1,
                              &July1,    &August1,   &September1, &October1, &November1, &December1};
  for (int month = 1; month <= 12; ++month) {
    const std::string name = Cdatlib::MonthName(month);
    *months[month - 1] = MakeItem(PopupMenu2, name, (name + "1").c_str());
  }
}

void TFCal::BuildOptionsPage() {
  GroupBox1 = new QGroupBox("Transition from Julian to Gregorian calendar", TabSheet2);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(10, 12, 337, 223);
  QFont captionFont = GroupBox1->font();
  captionFont.setBold(true);
  GroupBox1->setFont(captionFont);

  const QFont textFont = Desktop::SansSerifPixelFont(11, false);
  const QFont buttonFont = Desktop::ArialFont(11, true);
  Label1 = PlatformQt::PlainLabel(GroupBox1, "last Julian day", QPoint(24, 54), textFont, "Label1");
  Label1->adjustSize();
  // The boxes stand further right than designed, clear of their labels in
  // the desktop's fallback fonts.
  Edit2 = MakeEdit(GroupBox1, QRect(150, 48, 85, 21), textFont, "Edit2");
  Edit2->setText("yyyy-mm-dd");
  Edit2->setToolTip("date in format yyyy-mm-dd ( see ISO 8601 )");
  Label2 = PlatformQt::PlainLabel(GroupBox1, "first Gregorian day", QPoint(24, 90), textFont, "Label2");
  Label2->adjustSize();
  Edit3 = MakeEdit(GroupBox1, QRect(150, 84, 85, 21), textFont, "Edit3");
  Edit3->setText("yyyy-mm-dd");
  DeftsBtn = PlatformQt::DialogButton(GroupBox1, "some defaults", QRect(24, 138, 91, 25), buttonFont, "DeftsBtn");
  Button2 = PlatformQt::DialogButton(GroupBox1, "OK", QRect(138, 138, 75, 25), buttonFont, "Button2");
  Button4 = PlatformQt::DialogButton(GroupBox1, "Cancel", QRect(222, 138, 75, 25), buttonFont, "Button4");

  PopupMenu3 = new QMenu(this);
  PopupMenu3->setObjectName("PopupMenu3");
  SpainPortugalItalyPoland1 = MakeItem(PopupMenu3, TransitionPresets[0].Caption, "SpainPortugalItalyPoland1");
  France1 = MakeItem(PopupMenu3, TransitionPresets[1].Caption, "France1");
  DenmarkNorway1 = MakeItem(PopupMenu3, TransitionPresets[2].Caption, "DenmarkNorway1");
  objectRadioButton2TRadioButton1 =
      MakeItem(PopupMenu3, TransitionPresets[3].Caption, "objectRadioButton2TRadioButton1");
}

void TFCal::FormCreate() {
  DeftsBtn->setToolTip(
      "a huge variety of national transitions to Gregorian calendar since 1582\n"
      "complicated by significant changes to national boundaries since then");
}

void TFCal::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TFCal::FormShow() {
  FillWeekdayHeader();
  // The window keeps its page between uses; the options page shows afresh.
  if (PageControl1->currentWidget() == TabSheet2) TabSheet2Show();
}

bool TFCal::eventFilter(QObject* watched, QEvent* event) {
  // Selecting waits until the box has placed its cursor for the click.
  if (watched == Edit1 && event->type() == QEvent::MouseButtonRelease) {
    QMetaObject::invokeMethod(this, &TFCal::Edit1Click, Qt::QueuedConnection);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace cal
