// Fixture of the monitor's window tests: the main window, About and the log
// window made fresh in a folder of their own, and the error boxes a case
// expects answered from the event loop.
#pragma once

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <functional>
#include <memory>

#include "calendar/Cdatlib.h"
#include "monitor/CheckpointFile.h"
#include "monitor/StartUp.h"
#include "monitor/ui/Unit1.h"
#include "monitor/ui/Unit2.h"
#include "monitor/ui/about1.h"
#include "platform/qt/QtText.h"
#include "support/ModalBoxes.h"
#include "support/TempFolder.h"

using TestSupport::ReadBytes;
using TestSupport::WriteBytes;

class MonitorWindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    Cdatlib::Initialize();
    Cdatlib::ProgramFolder = folder_.Path() + "/";
    form1_ = std::make_unique<TForm1>();
    about_ = std::make_unique<TFAbout1>();
    form2_ = std::make_unique<TForm2>();
  }

  void TearDown() override {
    // Error boxes do not hold up the handler that failed: they are answered
    // from the event loop afterwards.
    EXPECT_TRUE(QTest::qWaitFor([this] { return answeredBoxes_ == expectedBoxes_; }, 2000))
        << answeredBoxes_ << " of " << expectedBoxes_ << " error boxes";
    form2_.reset();
    about_.reset();
    form1_.reset();
    Cdatlib::Initialize();
  }

  void Start() { Monitor::StartMonitor(*form1_, form2_->Log); }

  // Checks that the next box is the error box with this message; the test
  // ends with a check that it came.
  void ExpectErrorBox(const QString& message, const std::function<void()>& then = {}) {
    ++expectedBoxes_;
    AnswerNextMessageBox([this, message, then](QMessageBox& box) {
      ++answeredBoxes_;
      EXPECT_EQ(box.icon(), QMessageBox::Critical);
      EXPECT_EQ(box.windowTitle(), PlatformQt::ToQt(Cdatlib::ApplicationTitle()));
      EXPECT_EQ(box.text(), message);
      if (then) then();
    });
  }

  void BreakCheckpointFile() { Monitor::CheckpointPath = folder_ / "missing-folder/CHKPT.INI"; }

  TestSupport::TTempFolder folder_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TFAbout1> about_;
  std::unique_ptr<TForm2> form2_;
  int expectedBoxes_ = 0;
  int answeredBoxes_ = 0;
};
