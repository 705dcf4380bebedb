// The floor for the whole-program benchmarks: the least a Qt Widgets program
// with Tallyvane's visible parts costs, a window of the main window's size
// with one label and a menu bar, a notification-area icon and a minute timer.
// Return hides the window, as Continue does in the real program.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

class FloorWindow : public QMainWindow {
 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      hide();
      return;
    }
    QMainWindow::keyPressEvent(event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);

  FloorWindow window;
  window.setWindowTitle(QStringLiteral("Floor"));
  window.move(220, 122);
  window.resize(696 - 16, 247 - 39);  // the main window's client size under a typical frame
  window.setCentralWidget(new QLabel(QStringLiteral("When this program last ran, it terminated normally")));
  window.menuBar()->addAction(QStringLiteral("Exit"), &app, &QCoreApplication::quit);

  QPixmap picture(32, 32);
  picture.fill(Qt::darkBlue);
  QSystemTrayIcon icon{QIcon(picture)};
  icon.setToolTip(QStringLiteral("Floor"));
  icon.show();

  int ticks = 0;
  QTimer minute;
  minute.setTimerType(Qt::CoarseTimer);
  QObject::connect(&minute, &QTimer::timeout, [&ticks] { ++ticks; });
  minute.start(60000);

  window.show();
  return app.exec();
}
