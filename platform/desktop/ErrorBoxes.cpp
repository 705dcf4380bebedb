#include "platform/desktop/ErrorBoxes.h"

#include <QMessageBox>
#include <cstdio>
#include <memory>

#include "calendar/Cdatlib.h"
#include "platform/qt/QtText.h"

namespace Desktop {

std::string WithPeriodWhenEndingAboveDot(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

std::string StartupErrorText(const std::string& kind, const std::string& module, const void* address,
                             const std::string& message) {
  char where[32];
  if (std::snprintf(where, sizeof where, "%p", address) < 0) where[0] = '\0';
  std::string text = "Exception " + kind + " in module " + module + " at " + where + ".\n";
  return text + WithPeriodWhenNotEndingInDot(message);
}

std::string WithPeriodWhenNotEndingInDot(std::string message) {
  if (message.empty() || message.back() != '.') message += '.';
  return message;
}

namespace {

// Messages quote paths and system texts, so they are never read as markup.
QMessageBox* NewBox(const QString& caption, const std::string& text) {
  auto* box = new QMessageBox(QMessageBox::Critical, caption, PlatformQt::ToQt(text), QMessageBox::Ok);
  box->setTextFormat(Qt::PlainText);
  return box;
}

}  // namespace

void ShowErrorBox(const std::string& message) {
  // Shown without an event loop of its own: a handler that fails returns at
  // once, so the timer that called it goes on ticking while nobody answers,
  // and every failure adds one box, not one nested loop.
  QMessageBox* box = NewBox(PlatformQt::ToQt(Cdatlib::ApplicationTitle()), WithPeriodWhenEndingAboveDot(message));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->show();
}

void ShowRefusedStartBox(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  const std::unique_ptr<QMessageBox> box(NewBox(PlatformQt::ToQt(Cdatlib::ApplicationTitle()), text));
  box->exec();
}

void ShowStartupErrorBox(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  const std::unique_ptr<QMessageBox> box(NewBox(QStringLiteral("Application Error"), text));
  box->exec();
}

}  // namespace Desktop
