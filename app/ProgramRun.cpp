#include "app/ProgramRun.h"

#include <cxxabi.h>
#include <QPixmapCache>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>

#include "app/TApplication.h"
#include "calendar/Cdatlib.h"
#include "dialogs/cal/TFCal.h"
#include "dialogs/inpstr/TFinpstr.h"
#include "monitor/MonitorErrors.h"
#include "monitor/StartUp.h"
#include "monitor/ui/Unit1.h"
#include "monitor/ui/Unit2.h"
#include "monitor/ui/about1.h"
#include "platform/DisplayEndWatch.h"
#include "platform/FolderLock.h"
#include "platform/PendingBytes.h"
#include "platform/desktop/DisplayConnection.h"
#include "platform/desktop/ErrorBoxes.h"
#include "platform/desktop/ProgramIcon.h"
#include "platform/desktop/SessionEnd.h"
#include "platform/desktop/SingleRun.h"
#include "platform/desktop/SleepWatch.h"
#include "platform/qt/KeyboardStyle.h"
#include "platform/qt/QtText.h"

namespace {

// The name a start-up error box gives the kind of an error.
std::string KindOfCurrentError() {
  try {
    throw;
  } catch (const Monitor::EMonitorError& error) {
    return error.KindName();
  } catch (...) {
  }
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) return "Exception";
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status),
                                                   &std::free);
  return status == 0 && name ? name.get() : type->name();
}

std::string MessageOfCurrentError() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "Unknown error";
  }
}

std::string ProgramFileName() { return Cdatlib::SplitPath(Cdatlib::RunningProgramPath()).Name; }

// Nobody may be there to answer a box at a session's end, so failures go to
// the standard error stream.
template <typename Save>
void SaveUnasked(Save save) {
  try {
    save();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
  }
}

// The log window saves its edits, which a session end would lose.
void SaveLogForSessionEnd() {
  SaveUnasked([] { Form2->SaveUnasked(); });
}

// Data that a session end would lose is written: the main window's close
// query records the normal end, the log window saves its edits.
void SaveForSessionEnd() {
  SaveUnasked([] { Monitor::CloseQueryCheckpoint(*Form1); });
  SaveLogForSessionEnd();
}

// The watcher's action when the display took the program with it: the log
// window's unsaved text is saved as its close would have saved it, then the
// normal end is recorded. It runs in the watcher, where nobody is left to
// tell of a failure.
void SaveForDisplayEnd(const std::optional<std::string>& unsavedLog) {
  // The window kept the file as its text last met it, then the text.
  const std::size_t headEnd = unsavedLog ? unsavedLog->find('\n') : std::string::npos;
  const auto onDisk = headEnd != std::string::npos
                          ? Platform::IdentityOfText(std::string_view(*unsavedLog).substr(0, headEnd))
                          : std::nullopt;
  if (onDisk) {
    try {
      Monitor::TTripLog log;
      log.LogPath = Monitor::LogPathInProgramFolder();
      log.OnDisk = *onDisk;
      log.Edited(unsavedLog->substr(headEnd + 1));
      Monitor::SaveLogEdits(log, nullptr);
    } catch (const std::exception&) {
    }
  }
  Monitor::RecordSessionEnd();
}

// Set when the event loop starts; before that the start has not succeeded.
bool Running = false;

// Before the loop runs, the only box open is the failed start's: the end
// leaves both files as the previous run left them, so the next start gives
// the same verdict again.
void EndBeforeRunning() { QCoreApplication::exit(1); }

// An end signal or the session manager's quit: the data is saved and the
// loop ends. Not quit(): it would close every window, running the close
// queries again.
void SessionEnds() {
  if (!Running) return EndBeforeRunning();
  SaveForSessionEnd();
  QCoreApplication::exit(0);
}

// The session manager's save: the program keeps running, since the session
// may go on (a mere save, or a log-off that another program cancels), so
// the checkpoint keeps saying that it runs, and a kill or a power cut after
// the save reads as the abnormal end it is. Only the log's edits are saved.
// A log-off that goes on ends the program through the session manager's
// quit, or an end signal, which record the normal end.
void SessionSaveRequested() {
  if (!Running) return EndBeforeRunning();
  SaveLogForSessionEnd();
}

}  // namespace

int RecordDisplayEnd() {
  // Only what this run's own watcher saw counts: a run started by hand has
  // no watcher's socket and no display connection, and writes nothing.
  if (!Platform::WatcherSawTheDisplayEnd()) return 0;
  Cdatlib::Initialize();
  // A copy of the program that runs from the folder now owns its files.
  Platform::TFolderLock lock;
  if (lock.Take(Cdatlib::ProgramFolder).Kind != Platform::TFolderHolder::fhNone) return 0;
  Platform::RecordDisplayEnd(SaveForDisplayEnd);
  return 0;
}

int RunProgram(int& argc, char** argv) {
  // A second start from the same folder only shows the running copy's window.
  Desktop::TSingleRun singleRun(Cdatlib::ProgramFolder);
  const Desktop::TSingleRun::TClaim claim = singleRun.Claim();
  const std::string title = Cdatlib::ApplicationTitle();
  if (claim == Desktop::TSingleRun::clShownThere) {
    std::fprintf(stderr, "%s already runs from %s: its window is shown.\n", title.c_str(),
                 Cdatlib::ProgramFolder.c_str());
    return 0;
  }
  if (claim == Desktop::TSingleRun::clNoAnswer) {
    std::fprintf(stderr, "%s already runs from %s but does not answer; this start changed nothing.\n", title.c_str(),
                 Cdatlib::ProgramFolder.c_str());
    return 1;
  }
  Platform::TPendingBytes unsavedLog;
  // Said goodbye to when the program ends through its close or an end signal.
  std::optional<Platform::TDisplayEndWatch> displayEnd;

  TApplication app(argc, argv);
  if (claim == Desktop::TSingleRun::clOtherAccount) {
    Desktop::ShowRefusedStartBox("The folder " + Cdatlib::ProgramFolder + " is in use by another account (" +
                                 Desktop::AccountName(singleRun.HolderUid()) +
                                 "): its copy of the program writes the files there, so this start changed nothing.");
    return 1;
  }
  app.setQuitOnLastWindowClosed(false);  // only the main window's close ends the program
  // Nothing painted is kept between paints: while the style's pixmap cache
  // holds anything, its flush timer wakes the waiting program every 30 s.
  QPixmapCache::setCacheLimit(0);
  app.setWindowIcon(Desktop::ProgramIcon());
  app.setApplicationName(PlatformQt::ToQt(Cdatlib::ApplicationTitle()));
  singleRun.AnswerRequests();
  Desktop::TSessionEnd sessionEnd;
  QObject::connect(&sessionEnd, &Desktop::TSessionEnd::Ending, &app, SessionEnds);
  QObject::connect(&sessionEnd, &Desktop::TSessionEnd::SaveRequested, &app, SessionSaveRequested);

  PlatformQt::UseKeyboardStyle();
  // Created hidden in this order, destroyed in the reverse order.
  auto form1 = std::make_unique<TForm1>();
  auto about = std::make_unique<TFAbout1>();
  auto input = std::make_unique<inpstr::TFinpstr>();
  auto form2 = std::make_unique<TForm2>();
  auto calendar = std::make_unique<cal::TFCal>();
  form2->KeepUnsavedIn(&unsavedLog);

  QObject::connect(&singleRun, &Desktop::TSingleRun::ShowRequested, form1.get(), &TForm1::WMTrayIcon);

  try {
    Monitor::StartMonitor(*form1, form2->Log);
  } catch (...) {
    Desktop::ShowStartupErrorBox(Desktop::StartupErrorText(KindOfCurrentError(), ProgramFileName(),
                                                           reinterpret_cast<const void*>(&Monitor::StartMonitor),
                                                           MessageOfCurrentError()));
    return 1;
  }

  Running = true;
  form1->show();
  // What the first frame need not wait for is done once the loop runs. A
  // display that goes away ends the program at once; the watcher then
  // records the end that the session never announced.
  QTimer::singleShot(0, &app, [&displayEnd, &unsavedLog, &form1] {
    Monitor::FinishStart();
    displayEnd.emplace(Platform::TUniqueFd(Desktop::DuplicateDisplayConnection()), unsavedLog);
    form1->PowerNotify->Start();
  });
  app.exec();
  return 0;
}
