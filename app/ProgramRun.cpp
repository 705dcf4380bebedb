#include "app/ProgramRun.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
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
#include "platform/desktop/ErrorBoxes.h"
#include "platform/desktop/ProgramIcon.h"
#include "platform/desktop/SessionEnd.h"

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

std::string ProgramFileName() {
  const std::string path = Cdatlib::RunningProgramPath();
  return path.substr(path.rfind('/') + 1);
}

// The session ends: both windows that keep data run their close queries,
// then the loop ends. Nobody may be there to answer a box, so failures go
// to the standard error stream.
void EndSession() {
  try {
    Monitor::CloseQueryCheckpoint(*Form1);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
  }
  try {
    Form2->FormCloseQuery();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
  }
  // Not quit(): it would close every window, running the close queries again.
  QCoreApplication::exit(0);
}

}  // namespace

int RunProgram(TApplication& app) {
  app.setQuitOnLastWindowClosed(false);  // only the main window's close ends the program
  app.setWindowIcon(Desktop::ProgramIcon());
  app.setApplicationName(QString::fromLocal8Bit(Cdatlib::ApplicationTitle()));

  // Created hidden in this order, destroyed in the reverse order.
  auto form1 = std::make_unique<TForm1>();
  auto about = std::make_unique<TFAbout1>();
  auto input = std::make_unique<inpstr::TFinpstr>();
  auto form2 = std::make_unique<TForm2>();
  auto calendar = std::make_unique<cal::TFCal>();
  // A long trip log is only laid out for display when the user opens it.
  form2->FillMemoWhenShown();

  Desktop::TSessionEnd sessionEnd;
  QObject::connect(&sessionEnd, &Desktop::TSessionEnd::Ending, &app, EndSession);

  try {
    Monitor::StartMonitor(*form1, form2->Log);
  } catch (...) {
    Desktop::ShowStartupErrorBox(Desktop::StartupErrorText(
        KindOfCurrentError(), ProgramFileName(), reinterpret_cast<const void*>(&Monitor::StartMonitor),
        MessageOfCurrentError()));
    return 1;
  }

  form1->show();
  app.exec();
  return 0;
}
