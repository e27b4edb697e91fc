// Window titles are the game's own: nothing is appended to a message box's
// title by the platform.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "app/application_identity.h"

namespace qz::app::testing {
namespace {

TEST(QaWindowTitles, TheProgramHasNoDisplayNameForThePlatformToAppend) {
  SetApplicationIdentity();
  EXPECT_EQ(QGuiApplication::applicationName(), QString("qzreishogi"));
  EXPECT_EQ(QGuiApplication::desktopFileName(), QString("qzreishogi"));
  // Unset, the display name falls back to the application name, and only an
  // explicitly set one is added to window titles (" — QZ 嶺将棋" after "棋譜").
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
}

}  // namespace
}  // namespace qz::app::testing
