#include "platform/desktop/ErrorBoxes.h"

#include <QMessageBox>
#include <cstdio>

#include "calendar/Cdatlib.h"

namespace Desktop {

std::string WithFinalPeriod(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

std::string StartupErrorText(const std::string& kind, const std::string& module, const void* address,
                             const std::string& message) {
  char where[32];
  if (std::snprintf(where, sizeof where, "%p", address) < 0) where[0] = '\0';
  std::string text = "Exception " + kind + " in module " + module + " at " + where + ".\n";
  text += message;
  if (text.back() != '.') text += '.';
  return text;
}

namespace {

void ShowBox(const QString& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Critical, caption, QString::fromLocal8Bit(text), QMessageBox::Ok);
  box.exec();
}

}  // namespace

void ShowErrorBox(const std::string& message) {
  ShowBox(QString::fromLocal8Bit(Cdatlib::ApplicationTitle()), WithFinalPeriod(message));
}

void ShowStartupErrorBox(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  ShowBox(QStringLiteral("Application Error"), text);
}

}  // namespace Desktop
