// The program's icon in the notification area: added once, removed once,
// with the application title as its tip; a left click asks for the window.
// A notification area that only appears after the program started (both
// autostarted at log-in) still gets the icon.
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

  // Puts the icon up; false when the desktop has no notification area yet.
  bool Add(const QString& title);
  void Remove();
  // Whether the icon is in a notification area now, so that a hidden
  // window can be shown again through it.
  bool IsShown() const;

 signals:
  // A left-button click on the icon; other clicks are ignored.
  void LeftButtonPressed();

 private slots:
  void TrayHostAppeared();

 private:
  void ShowIcon();

  QString title_;
  bool wanted_ = false;
  QSystemTrayIcon* icon_ = nullptr;
};

}  // namespace Desktop
