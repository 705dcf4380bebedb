// Test fixture that puts the library's module state back to its start.
#pragma once

#include <gtest/gtest.h>

#include "calendar/Cdatlib.h"
#include "support/CalDates.h"

class CdatlibTest : public ::testing::Test {
 protected:
  void SetUp() override { Cdatlib::Initialize(); }
  void TearDown() override { Cdatlib::Initialize(); }
};
