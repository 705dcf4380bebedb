// The program's icon in the notification area: added once, removed once,
// with the application title as its tip; a left click asks for the window.
#pragma once

#include <QObject>
#include <QString>

class QSystemTrayIcon;

namespace Desktop {

// The tip holds at most 63 characters of the title.
QString TrayTip(const QString& title);

class TNotificationIcon : public QObject {
  Q_OBJECT

 public:
  explicit TNotificationIcon(QObject* parent = nullptr);
  ~TNotificationIcon() override;

  // Adds the icon; false when the desktop has no notification area.
  bool Add(const QString& title);
  void Remove();
  bool IsShown() const;

 signals:
  // A left-button click on the icon; other clicks are ignored.
  void LeftButtonPressed();

 private:
  QSystemTrayIcon* icon_;
};

}  // namespace Desktop
